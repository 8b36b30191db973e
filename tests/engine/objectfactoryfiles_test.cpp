#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_transform.h"
#include "lightinterface.h"
#include "meshfilterinterface.h"
#include "meshrendererinterface.h"
#include "factoryworld.h"
#include "idlesystem.h"
#include "testrun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <tuple>

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

class LevelFiles : public FactoryWorld
{
protected:
    LevelFiles()
    {
        CopyFixtures();
        Captured([&] { LoadPrefabs(Root() + "Assets/Prefabs"); });
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
    // Objects made from the prefabs then carry a light, which the renderer files.
    void LightThePrefabs()
    {
        for (GameObject* prefab : factory.GetPrefabs())
            prefab->AddComponent("PointLight");
    }
    std::vector<ObjectId> LitIds()
    {
        std::vector<ObjectId> ids;
        for (const GameObject* object : graphics().pointLights.active)
            ids.push_back(object->GetID());
        return ids;
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

TEST_F(LevelFiles, ObjectsAreFoundByTheirFileIdsAndOneDestroyedAsItIsAnnouncedIsNotFinished)
{
    ObjectId announcedAs = 0;
    onHeard = [&](const HeardMessage& message) {
        if (message.name != "Cloned")
            return;
        if (message.object->GetName() == "Crate A")
            announcedAs = message.object->GetID();
        if (message.object->GetName() == "Torch")
            factory.DestroyObject(message.object);
    };
    LightThePrefabs();
    const Output output = LoadLevel("Tomb", false);
    EXPECT_THAT(output.errors, HasSubstr("object \"Lamp\" names parent 3002, which is not loaded"));
    EXPECT_EQ(factory.FindObjectById(2001), &Live("Crate A"));
    EXPECT_EQ(factory.FindObjectById(announcedAs), nullptr);
    EXPECT_EQ(factory.FindObjectById(3002), nullptr);
    EXPECT_EQ(Live("Lamp").GetParent(), nullptr);
    EXPECT_THAT(LitIds(), ElementsAre(2001u, 2002u, 2003u));
}

// The editor's list is its selection: loaded objects join it unselected, selected ones stay selected.
TEST_F(LevelFiles, WithoutRegisteringTheObjectsGoStraightToGraphicsAndTheEditorListsThem)
{
    core.SetEditorMode(true);
    editor().AddObjectEntry(2001, true);
    LightThePrefabs();
    LoadLevel("Tomb", false);
    EXPECT_THAT(LitIds(), ElementsAre(2001u, 2002u, 2003u));
    EXPECT_EQ(std::ranges::count(HeardNames(), "Register"), 0);
    EXPECT_EQ(editor().Objects().size(), 5u);
    EXPECT_TRUE(editor().Objects().at(2001));
    EXPECT_FALSE(editor().Objects().at(3002));

    LoadLevel("Duplicates", true);
    EXPECT_EQ(LitIds().size(), 3u);
    EXPECT_FALSE(editor().Objects().at(5001));
}

TEST_F(LevelFiles, InterfaceObjectsLoseTheirTransformWhateverThePrefabHeld)
{
    GameObject* panel = factory.CreatePrefab(900, "Panel");
    panel->AddComponent("Canvas");
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

    const Output output = Captured([&] { LoadPrefabs(Root() + "Prefabs"); });
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

TEST_F(PrefabFiles, ANameNeverLeadsItsFileOutOfTheFolder)
{
    WriteText("Prefabs/.keep", "");
    factory.CreatePrefab(7, "../Escape");
    factory.CreatePrefab(8, "Sub\\Folder");
    factory.SavePrefabs(Root() + "Prefabs/");
    EXPECT_FALSE(std::filesystem::exists(Root() + "Escape_7_Prefab.xml"));
    EXPECT_TRUE(std::filesystem::exists(Root() + "Prefabs/Sub_Folder_8_Prefab.xml"));
    // The name itself is kept in the file.
    EXPECT_THAT(ReadText(Root() + "Prefabs/.._Escape_7_Prefab.xml"), HasSubstr("<Name>../Escape</Name>"));
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

namespace
{
// A level, prefab or settings file however malformed loads what it can beside objects that are already
// there and leaves them as they were.
class MalformedFiles : public LevelFiles
{
protected:
    MalformedFiles()
    {
        keeper = factory.CreateObject("Keeper", 0);
        child = factory.CreateObject("Keeper Child", 0);
        keeper->AddChild(child);
        TransformOf(*keeper).SetPosition({7.0f, 7.0f, 7.0f});
        tomb = ReadText(Fixture("Assets/XML/Tomb.xml"));
    }

    // Loads the text as each kind of file; gives how many objects the level load added.
    std::size_t LoadEverywhere(const std::string& text)
    {
        std::string asPrefabs = text;
        for (std::size_t at = 0; (at = asPrefabs.find("Objects>", at)) != std::string::npos;)
            asPrefabs.replace(at, 8, "Prefabs>");
        const std::string level = WriteText("Assets/XML/Broken.xml", text);
        const std::string prefab = WriteText("Broken_Prefab.xml", asPrefabs);
        const std::string settings = WriteText("Assets/SceneSettings/Settings.xml", text);
        const std::size_t before = factory.GetObjects().size();
        Captured([&] {
            factory.LoadLevelFile(level, true);
            factory.LoadPrefabFile(prefab);
            factory.LoadSceneSettings(settings);
        });
        const std::size_t added = factory.GetObjects().size() - before;
        ExpectKeeperIntact();
        ClearLoaded();
        return added;
    }

    void ExpectKeeperIntact()
    {
        EXPECT_EQ(factory.FindObject("Keeper"), keeper);
        EXPECT_EQ(TransformOf(*keeper).GetPosition(), Vector3(7.0f, 7.0f, 7.0f));
        EXPECT_THAT(keeper->GetChildren(), ElementsAre(child));
        EXPECT_EQ(keeper->GetParent(), nullptr);
        EXPECT_EQ(child->GetParent(), keeper);
        const GameObject* crate = factory.FindPrefab("Crate");
        ASSERT_NE(crate, nullptr);
        EXPECT_EQ(crate->GetID(), 1001u);
        EXPECT_EQ(TransformOf(*crate).GetScale(), Vector3(2.0f, 2.0f, 2.0f));
    }

    void ClearLoaded()
    {
        for (GameObject* object : factory.GetObjects())
            if (object != keeper && object != child)
                factory.DestroyObject(object);
        Captured([&] { Delivered(); });
        factory.FlushDestroyed();
    }

    GameObject* keeper;
    GameObject* child;
    std::string tomb;
};

std::string Object(const std::string& name, const std::string& id, const std::string& parent,
                   const std::string& prefab = "0")
{
    return "\t<Object>\n\t\t<Name>" + name + "</Name>\n\t\t<PrefabID>" + prefab + "</PrefabID>\n\t\t<ID>" + id +
           "</ID>\n\t\t<ParentID>" + parent + "</ParentID>\n\t\t<Components>\n\t\t</Components>\n\t</Object>\n";
}
} // namespace

TEST_F(MalformedFiles, LoadWhatTheyCanAndLeaveTheLoadedObjectsAlone)
{
    std::string binary;
    for (int round = 0; round < 3; ++round)
        for (int byte = 0; byte < 256; ++byte)
            binary.push_back(static_cast<char>(byte * 7 + round));
    std::string broken = tomb;
    for (std::size_t at = broken.find("\t<Object>", 200); at != std::string::npos; at = broken.find("\n\t", at + 2))
        broken.insert(at + 1, "\t");
    std::string deep = "<Objects>\n\t<Object>\n\t\t<Name>Deep</Name>\n\t\t<PrefabID>0</PrefabID>\n\t\t<ID>21</ID>\n";
    for (int depth = 2; depth < 1000; ++depth)
        deep += std::string(static_cast<std::size_t>(depth), '\t') + "<Components>\n";
    deep += "</Objects>\n";

    const struct
    {
        std::string name;
        std::string text;
        std::size_t loaded;
    } cases[] = {
        {"empty", "", 0},
        {"binary", binary, 0},
        {"truncated", tomb.substr(0, tomb.find("0, 45")), 0},
        {"broken indentation", broken, 1},
        {"wrong root", ReadText(Fixture("Assets/Prefabs/Crate_1001_Prefab.xml")), 0},
        {"closing lines only", "</Object>\n</Objects>\n", 0},
        {"deep nesting", deep, 1},
        {"own parent and a cycle",
         "<Objects>\n" + Object("Self", "11", "11") + Object("A", "12", "13") + Object("B", "13", "12") + "</Objects>\n",
         3},
        {"numbers out of range",
         "<Objects>\n" + Object("Huge", "99999999999999999999", "0") +
             Object("Huge Prefab", "14", "0", "18446744073709551616") + Object("Signed", "+15", "0") + "</Objects>\n",
         2},
    };
    for (const auto& [name, text, loaded] : cases)
        EXPECT_EQ(LoadEverywhere(text), loaded) << name;
}

// What a save killed half way or a full disk leaves would come back as the whole level at the next save.
TEST_F(MalformedFiles, ALevelCutShortIsReportedByNameAndLoadsNothing)
{
    const std::size_t closing = tomb.rfind("</Objects>");
    for (const std::size_t end : {tomb.find("0, 45"), tomb.rfind("\t</Object>"), closing, closing + 5})
    {
        const std::string path = WriteText("Assets/XML/Cut.xml", tomb.substr(0, end));
        const Output output = Captured([&] { EXPECT_FALSE(factory.LoadLevelFile(path, true)); });
        EXPECT_THAT(output.errors, HasSubstr(path + " - ends before its closing element, nothing loaded")) << end;
        EXPECT_EQ(factory.GetObjects().size(), 2u) << end;
        ExpectKeeperIntact();
    }
    // Whole, the last line without its line end or followed by blank ones.
    for (const std::string& whole : {tomb.substr(0, closing + 10), tomb + "\r\n\n"})
    {
        const std::string path = WriteText("Assets/XML/Whole.xml", whole);
        Captured([&] { EXPECT_TRUE(factory.LoadLevelFile(path, true)); });
        EXPECT_GT(factory.GetObjects().size(), 2u);
        ClearLoaded();
    }
}

TEST_F(MalformedFiles, ImpossibleHierarchiesAreRefusedLinkByLink)
{
    WriteText("Assets/XML/Loops.xml",
              "<Objects>\n" + Object("Self", "11", "11") + Object("A", "12", "13") + Object("B", "13", "12") +
                  "</Objects>\n");
    const Output output = LoadLevel("Loops");
    EXPECT_THAT(output.errors, HasSubstr("cannot become a child of its own descendant"));
    EXPECT_EQ(Live("Self").GetParent(), nullptr);
    EXPECT_EQ(Live("A").GetParent(), &Live("B"));
    EXPECT_EQ(Live("B").GetParent(), nullptr);
    EXPECT_FALSE(Live("A").IsDescendant(&Live("A")));
}

namespace
{
// A tree as (name, id, the id of the parent it is linked to) per live object, in live order.
using Tree = std::vector<std::tuple<std::string, ObjectId, ObjectId>>;

// A factory in a scratch folder with idle systems but Graphics: big levels, without recording every message.
class BigLevels : public ::testing::Test
{
protected:
    BigLevels()
        : core([](SystemId id) -> std::unique_ptr<System> {
              if (id == SystemId::Graphics)
                  return std::make_unique<Graphics>(nullptr, 1280, 800);
              return std::make_unique<IdleSystem>(id);
          }),
          messaging(core.MessageReceivers()), factory(scratch.Folder())
    {
        scratch.Write("Assets/SceneSettings/.keep", "");
    }

    std::string Load(const std::string& relative)
    {
        const std::string errors = Captured([&] { factory.LoadLevelFile(scratch.Folder() + relative, true); }).errors;
        messaging.Update();
        return errors;
    }
    void Clear()
    {
        factory.DestroyAllObjects();
        messaging.Update();
        factory.FlushDestroyed();
    }
    Tree LinkedTree() const
    {
        Tree tree;
        for (const GameObject* object : factory.GetObjects())
            tree.emplace_back(object->GetName(), object->GetID(),
                              object->GetParent() ? object->GetParent()->GetID() : 0);
        return tree;
    }

    TempFolder scratch;
    Core core;
    MessagingSystem messaging;
    ObjectFactory factory;
};
} // namespace

TEST_F(BigLevels, AChainOfAHundredThousandObjectsLoadsLinksAndSavesBackTheSameTree)
{
    // Each object names the next as its parent, or each the one before: a recursive walk would run out of
    // stack. (How long either takes is the level-load benchmark's business.)
    const struct
    {
        ObjectId length;
        bool parentIsNext;
    } chains[] = {{100000, true}, {1000, false}};
    for (const auto& [length, parentIsNext] : chains)
    {
        std::string text = "<Objects>\n";
        Tree expected;
        for (ObjectId id = 1; id <= length; ++id)
        {
            const ObjectId parent = parentIsNext ? (id < length ? id + 1 : 0) : id - 1;
            const std::string name = "Link " + std::to_string(id);
            text += Object(name, std::to_string(id), std::to_string(parent));
            expected.emplace_back(name, id, parent);
        }
        scratch.Write("Assets/XML/Chain.xml", text + "</Objects>\n");
        EXPECT_EQ(Load("Assets/XML/Chain.xml"), "");
        const Tree loaded = LinkedTree();
        EXPECT_TRUE(loaded == expected) << length;

        factory.SaveLevel(scratch.Folder() + "Assets/XML/Saved.xml");
        Clear();
        EXPECT_EQ(Load("Assets/XML/Saved.xml"), "");
        EXPECT_TRUE(LinkedTree() == loaded) << length;
        Clear();
    }
}

TEST_F(MalformedFiles, RandomDamageToALevelNeverHurtsTheLoadedObjects)
{
    std::mt19937 random(6);
    const auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    for (int round = 0; round < 300; ++round)
    {
        std::string text = tomb;
        for (int damage = 0; damage < 4; ++damage)
        {
            const std::size_t at = pick(text.size());
            const std::size_t lineStart = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
            const std::size_t lineEnd = std::min(text.find('\n', at), text.size() - 1) + 1;
            switch (pick(5))
            {
            case 0:
                text.erase(lineStart, lineEnd - lineStart);
                break;
            case 1:
                text.insert(lineStart, text.substr(lineStart, lineEnd - lineStart));
                break;
            case 2:
                text.insert(lineStart, 1, '\t');
                break;
            case 3:
                text[at] = static_cast<char>(pick(256));
                break;
            default:
                text.resize(at);
                break;
            }
            if (text.empty())
                break;
        }
        LoadEverywhere(text);
        if (HasFailure())
        {
            ADD_FAILURE() << "after damage round " << round << ":\n" << text;
            return;
        }
    }
}

// The level's own file is saved back byte for byte with the script library in shippedcontent_test.
TEST_F(PrefabFiles, TheShippedSplashLevelLoadsCleanlyAndSavesItsSettingsBackUnchanged)
{
    const std::string assets = std::string(NEKTARU_SOURCE_DIR) + "/Bin/Assets/";
    const Output output = Captured([&] {
        LoadPrefabs(assets + "Prefabs");
        factory.LoadLevelFile(assets + "XML/SplashCalvorn.xml", true);
        factory.LoadSceneSettings(assets + "SceneSettings/SplashCalvornSettings.xml");
    });
    EXPECT_EQ(output.errors, "");
    ASSERT_NE(factory.FindObject("SplashScreen"), nullptr);
    const GameObject& logo = *factory.FindObject("CalvornLogo");
    EXPECT_EQ(logo.GetParent(), factory.FindObject("SplashScreen"));
    EXPECT_EQ(logo.GetPrefabID(), factory.FindPrefab("CalvornLogo")->GetID());
    EXPECT_EQ(TransformOf(logo).GetScale(), Vector3(4.0f, 2.0f, 1.0f));

    WriteText("Assets/SceneSettings/.keep", "");
    Captured([&] { factory.SaveLevel(Root() + "SplashCalvorn.xml"); });
    EXPECT_EQ(ReadText(Root() + "Assets/SceneSettings/SplashCalvornSettings.xml"),
              ReadText(assets + "SceneSettings/SplashCalvornSettings.xml"));
}

TEST_F(PrefabFiles, TheSplashLevelNamesWhatItDraws)
{
    const std::string assets = std::string(NEKTARU_SOURCE_DIR) + "/Bin/Assets/";
    Captured([&] {
        LoadPrefabs(assets + "Prefabs");
        factory.LoadLevelFile(assets + "XML/SplashCalvorn.xml", true);
    });
    EXPECT_NE(factory.FindObject("Main Camera")->GetCamera(), nullptr);
    const LightInterface* light = factory.FindObject("Directional Light")->GetLight();
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->GetType(), 0u);
    const GameObject& logo = *factory.FindObject("CalvornLogo");
    EXPECT_EQ(logo.GetMeshFilter()->GetMeshName(), "CalvornLogo");
    EXPECT_EQ(logo.GetMeshRenderer()->GetMaterialName(0), "CalvornLogo");
    const GameObject& canvas = *factory.FindObject("SplashCanvas");
    const GameObject& fade = *factory.FindObject("Fade");
    EXPECT_EQ(fade.GetTransform(), nullptr);
    EXPECT_NE(fade.GetRectTransform(), nullptr);
    EXPECT_NE(fade.GetImage(), nullptr);
    EXPECT_EQ(fade.GetComponent<CanvasRenderer>()->GetCanvas(), canvas.GetComponent<Canvas>());
}

TEST_F(PrefabFiles, TheShippedUILayoutLoadsIntoAScene)
{
    // As the editor's Load Canvas does: into the current scene, without registering.
    const std::string assets = std::string(NEKTARU_SOURCE_DIR) + "/Bin/Assets/";
    const Output output = Captured([&] { factory.LoadLevelFile(assets + "UI/SplashHint.xml", false); });
    EXPECT_EQ(output.errors, "");
    const GameObject* canvas = factory.FindObject("SplashHint");
    const GameObject* panel = factory.FindObject("SplashHintPanel");
    ASSERT_NE(canvas, nullptr);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetParent(), canvas);
    EXPECT_NE(panel->GetImage(), nullptr);
    EXPECT_EQ(panel->GetComponent<CanvasRenderer>()->GetCanvas(), canvas->GetComponent<Canvas>());
}

TEST_F(LevelFiles, TheTestRunGetsThroughBrokenPrefabAndLevelFiles)
{
    std::string binary;
    for (int byte = 0; byte < 512; ++byte)
        binary.push_back(static_cast<char>(byte * 13));
    const std::string tomb = ReadText(Fixture("Assets/XML/Tomb.xml"));
    for (const char* folder : {"Assets/Prefabs/", "Assets/XML/"})
    {
        WriteText(std::string(folder) + "Empty.xml", "");
        WriteText(std::string(folder) + "Binary.xml", binary);
        WriteText(std::string(folder) + "Truncated.xml", tomb.substr(0, tomb.size() / 2));
    }
    WriteText("work/.testrun", "");
    WriteText("work/.gameplaymode", "");

    const Output output = Captured([&] { RunTestHarness(core, {Root() + "work/", Root(), FactoryContent(factory)}); });
    EXPECT_EQ(ReadText(Root() + "work/.okay_play"), "RAN STATUS : OK\n");
    const std::string log = ReadText(Root() + "work/.log_play");
    EXPECT_THAT(log, HasSubstr("LOADING XML : Truncated.xml"));
    EXPECT_THAT(log, HasSubstr("LOADING PREFAB : Binary.xml"));
    EXPECT_TRUE(factory.GetObjects().empty());
}
