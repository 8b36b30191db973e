#include "c_meshrenderer.h"
#include "resourcemanager.h"
#include "xmltext.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
using testing::ElementsAre;

class MeshRendererTest : public testing::Test
{
protected:
    MeshRendererTest()
    {
        resources.materials["Stone"].name = "Stone";
        resources.materials["Stone"].diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
        resources.materials["Glass"].name = "Glass";
        resources.materials["Glass"].diffuse = {0.0f, 0.0f, 1.0f, 0.25f};
    }
    // The call's assertion output, which a bad index must produce.
    template <class Call>
    static std::string Reported(Call call)
    {
        testing::internal::CaptureStderr();
        call();
        return testing::internal::GetCapturedStderr();
    }

    ResourceManager resources{"/nonexistent/"};
    MeshRenderer renderer;
};

TEST_F(MeshRendererTest, WithoutMaterialsItAnswersDefaultsAndChangesNothing)
{
    EXPECT_EQ(renderer.GetMaterialName(0), "defaultMaterial");
    EXPECT_FALSE(Reported([&] { renderer.SetDiffuseColor({1.0f, 0.0f, 0.0f, 1.0f}); }).empty());
    EXPECT_FALSE(Reported([&] { EXPECT_EQ(renderer.GetDiffuseColor(), Vector4()); }).empty());
    renderer.SetMaterialName("Stone", 0);
    EXPECT_EQ(renderer.GetMaterialCount(), 0);
}

TEST_F(MeshRendererTest, EveryIndexedSlotReportsAndIgnoresAnIndexOutOfRange)
{
    renderer.AddMaterial("Stone");
    const std::function<void()> calls[] = {
        [&] { renderer.SetDiffuseColorAt({1.0f, 0.0f, 0.0f, 1.0f}, 1); },
        [&] { EXPECT_EQ(renderer.GetDiffuseColorAt(-1), Vector4()); },
        [&] { EXPECT_EQ(renderer.GetMaterialName(1), "defaultMaterial"); },
        [&] { renderer.SetMaterialName("Glass", 1); },
        [&] { renderer.SetMaterialName("Glass", 7u); },
        [&] { renderer.SetMaterialAlpha(0.1f, 1); },
        [&] { EXPECT_EQ(renderer.GetMaterialAlpha(5), 0.0f); },
    };
    for (const auto& call : calls)
        EXPECT_FALSE(Reported(call).empty());
    EXPECT_THAT(renderer.GetMaterialNames(), ElementsAre("Stone"));
    EXPECT_EQ(renderer.GetDiffuseColor(), Vector4(0.5f, 0.5f, 0.5f, 1.0f));
}

TEST_F(MeshRendererTest, NamesAndCopiesStayIndexForIndex)
{
    renderer.AddMaterial("Stone");
    renderer.AddMaterial("Unknown");
    EXPECT_TRUE(resources.materials.contains("Unknown")) << "an unknown name caches the default material";
    renderer.SetDiffuseColorAt({1.0f, 0.0f, 0.0f, 1.0f}, 0);
    EXPECT_EQ(resources.materials.at("Stone").diffuse, Vector4(0.5f, 0.5f, 0.5f, 1.0f)) << "the cache is untouched";

    renderer.SetMaterialName("Glass", 0);
    EXPECT_EQ(renderer.GetMaterialName(0), "Glass");
    EXPECT_EQ(renderer.GetMaterials().at(0).name, "Glass") << "the copy follows the name";

    renderer.PopMaterialName();
    EXPECT_EQ(renderer.GetMaterialCount(), 1);
    EXPECT_EQ(renderer.GetMaterials().size(), 1u);
}

TEST_F(MeshRendererTest, AlphaGoesToEveryCopyAndIsRemembered)
{
    renderer.AddMaterial("Stone");
    renderer.AddMaterial("Glass");
    renderer.SetAlpha(0.5f);
    EXPECT_EQ(renderer.GetAlpha(), 0.5f);
    EXPECT_EQ(renderer.GetMaterialAlpha(0), 0.5f);
    EXPECT_EQ(renderer.GetMaterialAlpha(1), 0.5f);
    renderer.AddMaterial("Glass");
    EXPECT_EQ(renderer.GetMaterialAlpha(2), 0.25f) << "a later material brings its own alpha";
    renderer.SetMaterialAlpha(0.75f, 2);
    EXPECT_EQ(renderer.GetMaterialAlpha(2), 0.75f);
}

TEST_F(MeshRendererTest, LoadingReplacesTheNamesAndPostLoadRebuildsTheCopies)
{
    // As a prefab instance is loaded: a clone of the prefab's renderer, then the level's element.
    renderer.AddMaterial("Stone");
    const auto instance = renderer.Clone();
    const auto reader = XmlText().Parsed("<MeshRenderer>\n\t<Material>\n\t\t<Anything>Glass</Anything>\n"
                                         "\t\t<Material1>Stone</Material1>\n\t</Material>\n</MeshRenderer>\n");
    instance->Deserialize(*reader->GetRoot());
    instance->PostLoad();
    const auto& loaded = static_cast<const MeshRenderer&>(*instance);
    EXPECT_THAT(loaded.GetMaterialNames(), ElementsAre("Glass", "Stone"));
    ASSERT_EQ(loaded.GetMaterials().size(), 2u);
    EXPECT_EQ(loaded.GetMaterials()[0].name, "Glass");
    EXPECT_EQ(loaded.GetMaterials()[1].name, "Stone");
}

TEST_F(MeshRendererTest, APrefabInstanceSavedAndLoadedKeepsItsMaterials)
{
    MeshRenderer prefab;
    prefab.AddMaterial("Stone");
    const struct
    {
        std::vector<std::string> names;
        bool enabled;
    } cases[] = {{{"Glass"}, true}, {{"Stone", "Glass"}, true}, {{"Stone"}, false}, {{}, true}};
    for (const auto& c : cases)
    {
        MeshRenderer instance(prefab);
        instance.PopMaterialName();
        for (const std::string& name : c.names)
            instance.AddMaterial(name);
        instance.SetEnabled(c.enabled);
        const std::string text = XmlText().Written([&](XMLWriter& w) { instance.Serialize(w, &prefab); });
        MeshRenderer loaded(prefab);
        if (!text.empty())
            loaded.Deserialize(*XmlText().Parsed(text)->GetRoot());
        loaded.PostLoad();
        EXPECT_EQ(loaded.GetMaterialNames(), c.names) << text;
        EXPECT_EQ(loaded.IsEnabled(), c.enabled) << text;
    }
}
} // namespace
