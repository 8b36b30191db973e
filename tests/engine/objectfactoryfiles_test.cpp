#include "c_transform.h"
#include "canvasinterface.h"
#include "factoryworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace
{
Transform& TransformOf(const GameObjectInterface& object)
{
    return *FromInterface<Transform>(object.GetTransform());
}

// Console output of a call: what went to standard output and what went to the error stream.
struct Output
{
    std::string out;
    std::string errors;
};

template <class Call>
Output Captured(Call call)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    call();
    return {testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
}

// A UI canvas, as far as the level reader needs one.
class CanvasProbe : public ComponentBase<CanvasInterface>
{
public:
    CanvasProbe() : ComponentBase(CompEnum::Canvas) {}
    void Serialize(XMLWriter&, const Component*) const override {}
    void Deserialize(const XMLNode&) override {}
    std::string GetName() const override { return "Canvas"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<CanvasProbe>(*this); }
    bool Compare(const Component& other) const override { return dynamic_cast<const CanvasProbe*>(&other); }
};

class LevelFiles : public FactoryWorld
{
protected:
    LevelFiles()
    {
        CopyFixtures();
        Captured([&] { factory.LoadPrefabFolder(Root() + "Assets/Prefabs"); });
        Delivered();
    }

    Output LoadLevel(const std::string& level, bool registerObjects = true)
    {
        return Captured([&] { factory.LoadLevelFile(Root() + "Assets/XML/" + level + ".xml", registerObjects); });
    }
    GameObject& Live(const std::string& name)
    {
        GameObject* object = factory.FindObject(name);
        EXPECT_NE(object, nullptr) << name;
        return *object;
    }
};
} // namespace

TEST_F(LevelFiles, ALevelLoadsItsObjectsOverTheirPrefabsAndLinksTheHierarchy)
{
    const Output output = LoadLevel("Tomb");
    EXPECT_EQ(output.errors, "");
    std::vector<std::string> names;
    for (const GameObject* object : factory.GetObjects())
        names.push_back(object->GetName());
    EXPECT_THAT(names, ElementsAre("Crate A", "Crate B", "Altar", "Torch", "Lamp"));

    GameObject& crateA = Live("Crate A");
    EXPECT_EQ(crateA.GetID(), 2001u);
    EXPECT_EQ(crateA.GetPrefabID(), 1001u);
    EXPECT_EQ(TransformOf(crateA).GetPosition(), Vector3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(TransformOf(crateA).GetScale(), Vector3(2.0f, 2.0f, 2.0f));
    GameObject& crateB = Live("Crate B");
    EXPECT_EQ(TransformOf(crateB).GetPosition(), Vector3(4.0f, 0.5f, -2.0f));
    EXPECT_EQ(TransformOf(crateB).GetRotation(), Vector3(0.0f, 90.0f, 0.0f));
    GameObject& altar = Live("Altar");
    EXPECT_FALSE(altar.IsActive());
    EXPECT_THAT(altar.GetChildren(), ElementsAre(&crateB, &Live("Torch")));
    EXPECT_EQ(Live("Lamp").GetParent(), &Live("Torch"));
    EXPECT_TRUE(Live("Lamp").IsActive());
    EXPECT_TRUE(TransformOf(Live("Lamp")).IsEnabled());

    EXPECT_EQ(graphics().GetWorldAmbient(), Vector3(0.2f, 0.25f, 0.3f));
    EXPECT_EQ(graphics().GetSkyboxName(), "Desert");
    EXPECT_EQ(graphics().GetShadowHeightOffset(), 80.5f);

    // Each object is announced at once and registered through the queue.
    const std::vector<HeardMessage> cloned = TakeHeard();
    ASSERT_EQ(cloned.size(), 5u);
    EXPECT_EQ(cloned[0].name, "Cloned");
    EXPECT_EQ(cloned[0].sender, SystemId::None);
    const std::vector<std::string> queued = HeardNames();
    EXPECT_EQ(std::ranges::count(queued, "Register"), 5);
}

TEST_F(LevelFiles, SavingWhatWasLoadedGivesTheSameFilesByteForByte)
{
    LoadLevel("Tomb");
    factory.SaveLevel(Root() + "Assets/XML/Saved.xml");
    EXPECT_EQ(ReadText(Root() + "Assets/XML/Saved.xml"), ReadText(Fixture("Assets/XML/Tomb.xml")));
    EXPECT_EQ(ReadText(Root() + "Assets/SceneSettings/SavedSettings.xml"),
              ReadText(Fixture("Assets/SceneSettings/TombSettings.xml")));

    std::filesystem::create_directories(Root() + "Saved");
    factory.SavePrefabs(Root() + "Saved/");
    for (const char* prefab : {"Crate_1001_Prefab.xml", "Lamp_1002_Prefab.xml"})
        EXPECT_EQ(ReadText(Root() + "Saved/" + prefab), ReadText(Fixture(std::string("Assets/Prefabs/") + prefab)));
}

TEST_F(LevelFiles, ALevelWithFaultsLoadsWhatItCanAndReportsTheRest)
{
    const Output output = LoadLevel("Faults");
    EXPECT_THAT(output.out, HasSubstr("Boolean field in xml file is neither True nor False"));
    for (const char* report :
         {"Component Not Mapped : Wormhole", "Can't read 'x' as float",
          "object \"Unplaceable\" has no usable PrefabID \"12abc\", not loaded",
          "object \"Lost Link\" has no usable ParentID \"-1\", loaded without a parent",
          "object \"Orphan\" names parent 9999, which is not loaded", "\"Comment\" is not an object, skipped"})
        EXPECT_THAT(output.errors, HasSubstr(report));
    EXPECT_EQ(Live("Orphan").GetParentID(), 9999u);
    EXPECT_EQ(Live("Orphan").GetParent(), nullptr);

    factory.SaveLevel(Root() + "Assets/XML/Saved.xml");
    EXPECT_EQ(ReadText(Root() + "Assets/XML/Saved.xml"), ReadText(Fixture("expected/Faults.xml")));
}

TEST_F(LevelFiles, ASecondObjectWithATakenIdGetsANewOneAndChildrenKeepTheFirst)
{
    const Output output = LoadLevel("Duplicates");
    EXPECT_THAT(output.out, StartsWith("Object with id 5001 already exist. Will reissue new id.\n"));
    EXPECT_EQ(output.errors, "");
    GameObject& door = Live("Door");
    GameObject& copy = Live("Door Copy");
    EXPECT_EQ(door.GetID(), 5001u);
    EXPECT_NE(copy.GetID(), 5001u);
    EXPECT_NE(copy.GetID(), 0u);
    EXPECT_EQ(Live("Handle").GetParent(), &door);
    EXPECT_EQ(TransformOf(copy).GetPosition(), Vector3(9.0f, 0.0f, 0.0f));
}

TEST_F(LevelFiles, WithoutRegisteringTheObjectsGoStraightToGraphicsAndTheEditorListsThem)
{
    core.SetEditorMode(true);
    editor().AddObjectEntry(2001, true);
    LoadLevel("Tomb", false);
    EXPECT_THAT(graphics().RegisteredIds(), ElementsAre(2001u, 2002u, 3001u, 3002u, 2003u));
    EXPECT_EQ(std::ranges::count(HeardNames(), "Register"), 0);
    EXPECT_EQ(editor().Objects().size(), 5u);
    EXPECT_TRUE(editor().Objects().at(2001));
    EXPECT_FALSE(editor().Objects().at(3002));

    LoadLevel("Duplicates", true);
    EXPECT_EQ(graphics().RegisteredIds().size(), 5u);
    EXPECT_TRUE(editor().Objects().at(5001));
}

TEST_F(LevelFiles, InterfaceObjectsLoseTheirTransformWhateverThePrefabHeld)
{
    GameObject* panel = factory.CreatePrefab(900, "Panel");
    panel->AddComponent("Canvas", std::make_unique<CanvasProbe>());
    WriteText("Assets/XML/Menu.xml", "<Objects>\n\t<Object>\n\t\t<Name>Menu</Name>\n\t\t<PrefabID>900</PrefabID>\n"
                                     "\t\t<ID>7</ID>\n\t\t<ParentID>0</ParentID>\n\t\t<Components>\n"
                                     "\t\t\t<Transform>\n\t\t\t\t<Position>1, 1, 1</Position>\n"
                                     "\t\t\t</Transform>\n\t\t</Components>\n\t</Object>\n</Objects>\n");
    LoadLevel("Menu");
    GameObject& menu = Live("Menu");
    EXPECT_NE(menu.GetCanvas(), nullptr);
    EXPECT_EQ(menu.GetTransform(), nullptr);
    ASSERT_EQ(menu.GetRemovedComponents().size(), 1u);
    EXPECT_NE(panel->GetTransform(), nullptr);
}

TEST_F(LevelFiles, SceneSettingsReadMissingLeavesAsTheirDefaults)
{
    const struct
    {
        std::string file;
        Vector3 ambient;
        std::string skybox;
        float offset;
    } cases[] = {
        {"NoOffsetSettings.xml", {0.5f, 0.5f, 0.5f}, "Night", 100.0f},
        {"NoSkyboxSettings.xml", {0.0f, 0.0f, 0.0f}, "", 42.0f},
        {"TombSettings.xml", {0.2f, 0.25f, 0.3f}, "Desert", 80.5f},
    };
    for (const auto& [file, ambient, skybox, offset] : cases)
    {
        factory.LoadSceneSettings(Root() + "Assets/SceneSettings/" + file);
        EXPECT_EQ(graphics().GetWorldAmbient(), ambient) << file;
        EXPECT_EQ(graphics().GetSkyboxName(), skybox) << file;
        EXPECT_EQ(graphics().GetShadowHeightOffset(), offset) << file;
    }
    EXPECT_EQ(graphics().SkyboxLoads(), 3);
    factory.LoadSceneSettings(Root() + "Assets/SceneSettings/TombSettings.xml");
    EXPECT_EQ(graphics().SkyboxLoads(), 3);

    // A missing file, or one of another kind, changes nothing.
    const Output output = Captured([&] {
        factory.LoadSceneSettings(Root() + "Assets/SceneSettings/MissingSettings.xml");
        factory.LoadSceneSettings(Root() + "Assets/XML/Tomb.xml");
    });
    EXPECT_THAT(output.out, HasSubstr("Can't find file"));
    EXPECT_THAT(output.errors, HasSubstr("root \"Objects\" is not \"SceneSettings\""));
    EXPECT_EQ(graphics().GetSkyboxName(), "Desert");
}

class PrefabFiles : public FactoryWorld
{
};

TEST_F(PrefabFiles, LoadInNameOrderAndALaterClaimOfAnIdGetsANewOne)
{
    std::string barrel = ReadText(Fixture("Assets/Prefabs/Crate_1001_Prefab.xml"));
    barrel.replace(barrel.find("Crate"), 5, "Barrel");
    WriteText("Prefabs/Barrel_1001_Prefab.xml", barrel);
    WriteText("Prefabs/Crate_1001_Prefab.xml", ReadText(Fixture("Assets/Prefabs/Crate_1001_Prefab.xml")));
    WriteText("Prefabs/.gitkeep", "");

    const Output output = Captured([&] { factory.LoadPrefabFolder(Root() + "Prefabs"); });
    EXPECT_EQ(output.out, "Prefab with id 1001 already exist. Will reissue new id.\n");
    EXPECT_EQ(output.errors, "");
    EXPECT_EQ(factory.FindPrefab("Barrel")->GetID(), 1001u);
    EXPECT_NE(factory.FindPrefab("Crate")->GetID(), 1001u);
    EXPECT_EQ(factory.GetPrefabs().size(), 2u);
    const GameObject& crate = *factory.FindPrefab("Crate");
    EXPECT_EQ(crate.GetTag(), "Breakable");
    EXPECT_EQ(TransformOf(crate).GetRotation(), Vector3(0.0f, 90.0f, 0.0f));
}

TEST_F(PrefabFiles, SavingAPrefabRemovesTheFilesOfItsEarlierNames)
{
    const std::string folder = Root() + "Prefabs/";
    WriteText("Prefabs/OldCrate_1001_Prefab.xml", "old");
    WriteText("Prefabs/Other_11001_Prefab.xml", "other id");
    WriteText("Prefabs/Crate_1001_Backup.xml", "not a prefab file");
    factory.CreatePrefab(1001, "Crate");
    factory.SavePrefabs(folder);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path().filename().string());
    std::ranges::sort(files);
    EXPECT_THAT(files, ElementsAre("Crate_1001_Backup.xml", "Crate_1001_Prefab.xml", "Other_11001_Prefab.xml"));
}

TEST_F(PrefabFiles, AFileThatCannotBeOpenedIsReportedAndNothingIsLoaded)
{
    factory.CreatePrefab(5, "Crate");
    const std::string missing = Root() + "Missing.xml";
    const std::string unwritable = Root() + "No/Such/Folder/";
    const struct
    {
        std::function<void()> call;
        std::string report;
    } cases[] = {
        {[&] { factory.LoadPrefabFile(missing); }, "Error creating " + missing},
        {[&] { factory.LoadLevelFile(missing, true); }, "Error creating " + missing},
        {[&] { factory.SavePrefabs(unwritable); }, "Error creating " + unwritable + "Crate_5_Prefab.xml"},
        {[&] { factory.SaveLevel(unwritable + "Level.xml"); }, "Error creating " + unwritable + "Level.xml"},
    };
    for (const auto& [call, report] : cases)
    {
        const Output output = Captured(call);
        EXPECT_THAT(output.errors, HasSubstr(report));
    }
    EXPECT_EQ(factory.GetPrefabs().size(), 1u);
    EXPECT_TRUE(factory.GetObjects().empty());
}
