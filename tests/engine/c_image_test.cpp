#include "c_image.h"
#include "objectworld.h"
#include "resourcemanager.h"
#include "xmltext.h"

#include <gtest/gtest.h>

namespace
{
using ComponentSwitch = std::pair<CompEnum, GameObject*>;

class ImageTest : public testing::Test
{
protected:
    ImageTest()
    {
        resources.materials["Logo"].name = "Logo";
        resources.materials["Logo"].diffuse = {1.0f, 0.5f, 0.0f, 1.0f};
    }
    static void Load(Component& image, const std::string& text)
    {
        image.Deserialize(*XmlText().Parsed(text)->GetRoot());
    }

    ResourceManager resources{"/nonexistent/"};
    ObjectWorld world;
};

TEST_F(ImageTest, AlphaAndColourShareTheMaterialDiffuse)
{
    Image image;
    image.SetColor({0.2f, 0.4f, 0.6f, 1.0f});
    image.SetAlpha(0.5f);
    EXPECT_EQ(image.GetColor(), Vector4(0.2f, 0.4f, 0.6f, 0.5f));
    EXPECT_EQ(image.GetAlpha(), 0.5f);
}

TEST_F(ImageTest, SetMaterialReplacesTheTintWithTheCachedMaterial)
{
    Image image;
    image.SetColor({0.0f, 0.0f, 0.0f, 0.0f});
    image.SetMaterial("Logo");
    EXPECT_EQ(image.GetColor(), Vector4(1.0f, 0.5f, 0.0f, 1.0f));
    image.SetMaterial("Unknown");
    EXPECT_EQ(image.GetColor(), Vector4(0.8f, 0.8f, 0.8f, 1.0f));
    EXPECT_TRUE(resources.materials.contains("Unknown"));
    EXPECT_EQ(image.GetMaterial().name, "Unknown") << "kept under the name it was asked for, so it saves back";
}

TEST_F(ImageTest, LoadingTakesTheMaterialThenTheAlphaUnlessTheObjectCameFromAPrefab)
{
    const std::string text = "<Image>\n\t<Enabled>false</Enabled>\n\t<Material>Logo</Material>\n"
                             "\t<Alpha>0.25</Alpha>\n</Image>\n";
    PostedMessages posted;
    Image loose;
    Load(loose, text);
    EXPECT_FALSE(loose.IsEnabled());
    EXPECT_EQ(loose.GetColor(), Vector4(1.0f, 0.5f, 0.0f, 0.25f));

    GameObject& prefab = world.Prefab("Button", 40);
    prefab.AddComponent("Image");
    GameObject& instance = world.Live(std::make_unique<GameObject>(prefab, "Button", 41));
    auto* image = instance.GetComponent<Image>();
    Load(*image, text);
    EXPECT_FALSE(image->IsEnabled()) << "the flag is read";
    EXPECT_EQ(image->GetMaterial().name, "defaultMaterial");
    EXPECT_EQ(image->GetAlpha(), 1.0f);
    EXPECT_TRUE(posted.Take<ComponentSwitch>().empty()) << "no system is told";
}

TEST_F(ImageTest, ComparesFlagsAndMaterialNamesOnly)
{
    Image a;
    Image b;
    b.SetAlpha(0.1f);
    EXPECT_TRUE(a.Compare(b));
    b.SetMaterial("Logo");
    EXPECT_FALSE(a.Compare(b));
}
} // namespace
