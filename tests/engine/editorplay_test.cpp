#include "audiosystem.h"
#include "levelrunner.h"
#include "logic.h"
#include "sceneeditorworld.h"
#include "transforminterface.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace
{
constexpr std::uint16_t kCtrl = 17;
constexpr std::uint16_t kShift = 16;
constexpr std::uint16_t kDelete = 46;

std::vector<ObjectId> Ids(const std::vector<GameObject*>& objects)
{
    std::vector<ObjectId> ids;
    for (const GameObject* object : objects)
        ids.push_back(object->GetID());
    return ids;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Play as the menu would, with the output the systems print kept out of the test's.
class PlayWorld : public SceneEditorWorld
{
protected:
    bool Play()
    {
        testing::internal::CaptureStdout();
        const bool played = editor().PlayScene();
        printed = testing::internal::GetCapturedStdout();
        messaging.Update();
        return played;
    }
    bool Stop()
    {
        testing::internal::CaptureStdout();
        const bool stopped = editor().StopScene();
        printed = testing::internal::GetCapturedStdout();
        // As Core's frame does: the systems hear of the destroyed objects before they are freed.
        messaging.Update();
        factory.FlushDestroyed();
        return stopped;
    }
    void Press(std::initializer_list<std::uint16_t> keys)
    {
        testing::internal::CaptureStdout();
        PressKeys(keys);
        printed = testing::internal::GetCapturedStdout();
        messaging.Update();
        factory.FlushDestroyed();
    }
    std::string printed;
};

const std::vector<ObjectId> kTombIds{2001, 2002, 3001, 3002, 2003};
}

TEST_F(PlayWorld, StopBringsBackTheObjectsAndValuesAsPlayFoundThem)
{
    ASSERT_TRUE(Play());
    EXPECT_TRUE(core.IsPlaying());
    EXPECT_TRUE(editor().IsPlaying());
    EXPECT_TRUE(std::filesystem::exists(UserFolder() + "tmpScene.xml"));

    factory.SpawnObject("Made in play", 0);
    Object(3001).GetTransform()->SetPosition({9.0f, 9.0f, 9.0f});
    Object(3002).DetachFromParent();
    ASSERT_TRUE(Stop());

    EXPECT_FALSE(core.IsPlaying());
    EXPECT_FALSE(editor().IsPlaying());
    EXPECT_EQ(Ids(factory.GetObjects()), kTombIds);
    EXPECT_EQ(Object(3001).GetTransform()->GetPosition(), Vector3(1.0f, 0.0f, 1.0f));
    EXPECT_EQ(ParentId(3002), 3001u);
    EXPECT_EQ(editor().InspectedObject(), nullptr);
}

TEST_F(PlayWorld, AnUnwritableSnapshotRefusesPlay)
{
    // A file where the per-user folder should be: nothing can be written into it, even by root.
    const std::string folder = UserFolder().substr(0, UserFolder().size() - 1);
    std::filesystem::create_directories(std::filesystem::path(folder).parent_path());
    std::ofstream(folder) << "in the way";
    EXPECT_FALSE(Play());
    EXPECT_THAT(printed, HasSubstr("Play refused"));
    EXPECT_FALSE(core.IsPlaying());
    EXPECT_FALSE(editor().IsPlaying());
}

// Play's scene settings stay in the user's folder: a level named "tmpScene" keeps its own, and an asset tree
// that cannot be written still plays.
TEST_F(PlayWorld, PlayKeepsItsSceneSettingsBesideItsSnapshot)
{
    const std::string levels = scratch.Folder() + "Assets/SceneSettings/tmpSceneSettings.xml";
    const std::string theirs = "<SceneSettings>\n\t<WorldAmbient>0.9, 0.9, 0.9</WorldAmbient>\n</SceneSettings>\n";
    std::ofstream(levels) << theirs;
    Graphics& graphics = *core.GetGraphics();
    graphics.SetWorldAmbient({0.25f, 0.5f, 0.75f});
    ASSERT_TRUE(Play());
    EXPECT_TRUE(std::filesystem::exists(UserFolder() + "tmpSceneSettings.xml"));
    graphics.SetWorldAmbient({0.0f, 0.0f, 0.0f});
    ASSERT_TRUE(Stop());
    EXPECT_EQ(graphics.GetWorldAmbient(), Vector3(0.25f, 0.5f, 0.75f));
    EXPECT_EQ(ReadText(levels), theirs);

    std::filesystem::remove_all(scratch.Path() / "Assets/SceneSettings");
    std::ofstream(scratch.Folder() + "Assets/SceneSettings") << "in the way";
    EXPECT_TRUE(Play()) << printed;
    EXPECT_TRUE(Stop()) << printed;
}

TEST_F(PlayWorld, AStopWithoutItsSnapshotKeepsThePlayedObjects)
{
    ASSERT_TRUE(Play());
    GameObject* made = factory.SpawnObject("Made in play", 0);
    std::filesystem::remove(UserFolder() + "tmpScene.xml");
    EXPECT_FALSE(Stop());
    EXPECT_THAT(printed, HasSubstr("could not be read"));
    EXPECT_FALSE(core.IsPlaying());
    EXPECT_FALSE(editor().IsPlaying());
    EXPECT_EQ(factory.GetObjects().size(), kTombIds.size() + 1);
    EXPECT_EQ(factory.GetObjects().back(), made);
}

TEST_F(PlayWorld, F10FirstFreesACapturedCursorThenStops)
{
    constexpr std::uint16_t kF10 = 121;
    Press({kF10});
    EXPECT_EQ(Ids(factory.GetObjects()), kTombIds) << "editing: nothing to stop";

    ASSERT_TRUE(Play());
    factory.SpawnObject("Made in play", 0);
    ASSERT_TRUE(input().IsCursorCaptured());
    Press({kF10});
    EXPECT_FALSE(input().IsCursorCaptured());
    EXPECT_FALSE(input().IsCursorLocked());
    EXPECT_TRUE(core.IsPlaying());

    Press({kF10});
    EXPECT_FALSE(core.IsPlaying());
    EXPECT_FALSE(editor().IsPlaying());
    EXPECT_EQ(Ids(factory.GetObjects()), kTombIds);
}

TEST_F(PlayWorld, ResumingAfterAPauseForgetsWhatWasPickedWhilePaused)
{
    ASSERT_TRUE(Play());
    editor().TogglePauseScene();
    EXPECT_TRUE(editor().IsPaused());
    EXPECT_FALSE(core.IsPlaying());
    editor().SelectObject(&Object(2001), false);

    editor().TogglePauseScene();
    EXPECT_FALSE(editor().IsPaused());
    EXPECT_TRUE(core.IsPlaying());
    EXPECT_THAT(editor().PickedObjects(), IsEmpty());
    EXPECT_THAT(editor().SelectedObjects(), IsEmpty());
    EXPECT_EQ(editor().InspectedObject(), nullptr);
}

TEST_F(PlayWorld, TheEditingKeysWaitWhileTheScenePlays)
{
    ASSERT_TRUE(Play());
    editor().SelectObject(&Object(2001), false);
    Press({kDelete});
    Press({kCtrl, 'D'});
    EXPECT_EQ(Ids(factory.GetObjects()), kTombIds);
    EXPECT_THAT(ActionHistory(), IsEmpty());

    Stop();
    editor().SelectObject(&Object(2001), false);
    Press({kCtrl, 'D'});
    EXPECT_EQ(factory.GetObjects().size(), kTombIds.size() + 1);
    EXPECT_EQ(editor().InspectedObject(), factory.GetObjects().back());
    Press({kDelete});
    EXPECT_EQ(Ids(factory.GetObjects()), kTombIds);
    Press({kCtrl, 'Z'});
    Press({kCtrl, 'Z'});
    EXPECT_EQ(Ids(factory.GetObjects()), kTombIds);
    Press({kCtrl, 'Y'});
    EXPECT_EQ(factory.GetObjects().size(), kTombIds.size() + 1);
}

TEST_F(PlayWorld, UndoAfterPlayAndStopTwiceTouchesNoPlayedObject)
{
    editor().SelectObject(&Object(2001), false);
    Press({kDelete});
    RecordComponentEdit<Transform>(Object(3001), [](Transform& transform) { transform.SetScale({3.0f, 3.0f, 3.0f}); });
    for (int round = 0; round < 2; ++round)
    {
        ASSERT_TRUE(Play());
        editor().SelectObject(&Object(3001), false);
        ASSERT_TRUE(Stop());
    }
    EXPECT_THAT(ActionHistory(), IsEmpty());
    EXPECT_THAT(editor().PickedObjects(), IsEmpty());
    Press({kCtrl, 'Z'});
    Press({kCtrl, 'Y'});
    Press({kDelete});
    Press({kCtrl, 'D'});
    EXPECT_EQ(Ids(factory.GetObjects()), (std::vector<ObjectId>{2002, 3001, 3002, 2003}));
    EXPECT_EQ(Object(3001).GetTransform()->GetScale(), Vector3(3.0f, 3.0f, 3.0f));
}

TEST_F(PlayWorld, F3SwitchesTheRenderersColliderDrawing)
{
    constexpr std::uint16_t kF3 = 114;
    Press({kF3});
    EXPECT_TRUE(editor().DrawsColliders());
    EXPECT_TRUE(core.GetGraphics()->settings.drawColliders);
    Press({kF3});
    EXPECT_FALSE(core.GetGraphics()->settings.drawColliders);
}

TEST_F(PlayWorld, SaveSceneWritesTheLevelItsSettingsAndThePrefabs)
{
    std::filesystem::remove_all(scratch.Path() / "Assets/Prefabs");
    std::filesystem::create_directories(scratch.Path() / "Assets/Prefabs");
    Object(3001).GetTransform()->SetPosition({7.0f, 0.0f, 0.0f});
    EXPECT_EQ(editor().SaveScene("Saved"), "");
    EXPECT_THAT(ReadText(scratch.Folder() + "Assets/XML/Saved.xml"), HasSubstr("7, 0, 0"));
    EXPECT_TRUE(std::filesystem::exists(scratch.Path() / "Assets/SceneSettings/SavedSettings.xml"));
    EXPECT_TRUE(std::filesystem::exists(scratch.Path() / "Assets/Prefabs/Crate_1001_Prefab.xml"));
    EXPECT_TRUE(std::filesystem::exists(scratch.Path() / "Assets/Prefabs/Lamp_1002_Prefab.xml"));

    // Prefabs that cannot be written are named; the level is written all the same.
    std::filesystem::remove_all(scratch.Path() / "Assets/Prefabs");
    std::ofstream(scratch.Folder() + "Assets/Prefabs") << "in the way";
    Object(3001).GetTransform()->SetPosition({8.0f, 0.0f, 0.0f});
    testing::internal::CaptureStdout();
    EXPECT_EQ(editor().SaveScene("Saved"), scratch.Folder() + "Assets/Prefabs/");
    testing::internal::GetCapturedStdout();
    EXPECT_THAT(ReadText(scratch.Folder() + "Assets/XML/Saved.xml"), HasSubstr("8, 0, 0"));
}

TEST_F(PlayWorld, CtrlSSavesTheLoadedSceneOnlyWhileEditing)
{
    const std::string level = scratch.Folder() + "Assets/XML/Tomb.xml";
    ASSERT_TRUE(Play());
    Object(3001).GetTransform()->SetPosition({6.0f, 0.0f, 0.0f});
    Press({kCtrl, 'S'});
    EXPECT_THAT(ReadText(level), ::testing::Not(HasSubstr("6, 0, 0")));
    Stop();

    Object(3001).GetTransform()->SetPosition({5.0f, 0.0f, 0.0f});
    Press({kCtrl, 'S'});
    EXPECT_THAT(ReadText(level), HasSubstr("5, 0, 0"));
    EXPECT_EQ(editor().SceneName(), "Tomb");
}

TEST_F(PlayWorld, LoadingASceneEmptiesTheHistory)
{
    editor().SelectObject(&Object(2001), false);
    Press({kDelete});
    ASSERT_EQ(ActionHistory().size(), 1u);
    testing::internal::CaptureStdout();
    editor().LoadScene("Tomb.xml", "Assets/XML/");
    testing::internal::GetCapturedStdout();
    EXPECT_THAT(ActionHistory(), IsEmpty());
    EXPECT_EQ(factory.GetLevelName(), "Tomb");
    Press({kCtrl, 'Z'});
    EXPECT_EQ(Ids(factory.GetObjects()), kTombIds);
}

// Saving what little such a file gave would write it over the level it was cut from.
TEST_F(PlayWorld, AFileThatDoesNotLoadNamesNoSceneForCtrlSToWrite)
{
    const std::string folder = scratch.Folder() + "Assets/XML/";
    const std::string tomb = ReadText(folder + "Tomb.xml");
    for (const char* name : {"Tomb.xml.saving-JPIuD2", "Cut.xml", "Missing.xml"})
    {
        if (std::string(name) != "Missing.xml")
            scratch.Write(std::string("Assets/XML/") + name, tomb.substr(0, tomb.size() / 2));
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        editor().LoadScene(name, "Assets/XML/");
        testing::internal::GetCapturedStdout();
        EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr(folder + name)) << name;
        EXPECT_EQ(editor().SceneName(), "") << name;
        EXPECT_THAT(factory.GetObjects(), IsEmpty()) << name;
        Press({kCtrl, 'S'});
        EXPECT_EQ(ReadText(folder + "Tomb.xml"), tomb) << name;
        EXPECT_FALSE(std::filesystem::exists(folder + "Cut.xml") &&
                     ReadText(folder + "Cut.xml") != tomb.substr(0, tomb.size() / 2))
            << name;
    }
}

TEST_F(PlayWorld, EachInstanceOfAPrefabIsNamedAfterItAndPicked)
{
    const GameObject& crate = *factory.GetPrefabs().front();
    GameObject* first = editor().InstantiatePrefab(crate);
    GameObject* second = editor().InstantiatePrefab(crate);
    ASSERT_NE(first, second);
    EXPECT_EQ(first->GetName(), "Crate Prefab ");
    EXPECT_EQ(second->GetName(), "Crate Prefab ");
    EXPECT_EQ(second->GetPrefabID(), 1001u);
    EXPECT_THAT(editor().PickedObjects(), ElementsAre(second));
    EXPECT_THAT(ActionHistory(), IsEmpty());
}

TEST_F(PlayWorld, SaveAsRefusesNamesThatLeaveTheSceneFolderAndAdoptsAGoodOne)
{
    for (const char* bad : {"", "../Escaped", "Sub/Level", "Sub\\Level", ".."})
    {
        EXPECT_THAT(editor().SaveSceneAs(bad), HasSubstr("cannot name a scene file")) << bad;
        EXPECT_EQ(editor().SceneName(), "Tomb.xml") << bad;
    }
    EXPECT_FALSE(std::filesystem::exists(scratch.Path() / "Escaped.xml"));

    EXPECT_EQ(editor().SaveSceneAs("Copy"), "");
    EXPECT_EQ(editor().SceneName(), "Copy");
    std::filesystem::remove(scratch.Path() / "Assets/XML/Copy.xml");
    Press({kCtrl, 'S'});
    EXPECT_TRUE(std::filesystem::exists(scratch.Path() / "Assets/XML/Copy.xml")) << "Ctrl+S writes the new name";
}

TEST_F(PlayWorld, CtrlShiftSWritesNothingBeforeANameIsGiven)
{
    const auto written = std::filesystem::last_write_time(scratch.Path() / "Assets/XML/Tomb.xml");
    Press({kCtrl, kShift, 'S'});
    EXPECT_EQ(std::filesystem::last_write_time(scratch.Path() / "Assets/XML/Tomb.xml"), written);
}

TEST_F(PlayWorld, TheSplashLevelComesBackWholeAfterPlayAndStop)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    editor().ScanAssetFolders(NEKTARU_ASSETS_ROOT);
    editor().LoadScene("SplashCalvorn.xml", "Assets/XML/");
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    ASSERT_FALSE(factory.GetObjects().empty());
    const std::string before = scratch.Folder() + "Before.xml";
    ASSERT_TRUE(SaveObjects(before, "Objects", factory.GetObjects()));

    ASSERT_TRUE(Play());
    factory.DestroyObject(factory.GetObjects().front());
    factory.GetObjects().back()->GetTransform()->SetPosition({40.0f, 0.0f, 0.0f});
    factory.SpawnObject("Made in play", 0);
    ASSERT_TRUE(Stop());

    const std::string after = scratch.Folder() + "After.xml";
    ASSERT_TRUE(SaveObjects(after, "Objects", factory.GetObjects()));
    EXPECT_EQ(ReadText(after), ReadText(before));
}

// Paused Play, with P's script stop: a scene loaded now is edited as after Stop, with nothing of the pause kept.
TEST(EditorPlayOnLevels, LoadingASceneWhilePausedLiftsTheAudioPauseAndTheScriptStop)
{
    SKIP_UNLESS_LEVELS_CAN_RUN();
    LevelRunner runner("", "SplashCalvorn", {}, RunnerMode::Editor);
    Editor& editor = *runner.GetCore().GetEditor();
    AudioSystem& audio = *runner.GetCore().GetAudio();
    Logic& logic = *runner.GetCore().GetLogic();
    testing::internal::CaptureStdout();
    // The first frame reloads the prefabs its start-up scan found; the scene list is the runner's tree.
    runner.Frames(1);
    editor.ScanAssetFolders(runner.Root());
    ASSERT_TRUE(editor.PlayScene());
    runner.Frames(2);
    ASSERT_FALSE(audio.IsMasterPaused());
    editor.TogglePauseScene();
    logic.SetSuspended(true);
    ASSERT_TRUE(audio.IsMasterPaused());

    editor.LoadScene("TombLevel1.xml", "Assets/XML/");
    runner.Frames(1);
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(audio.IsMasterPaused());
    EXPECT_FALSE(logic.IsSuspended());
    EXPECT_FALSE(editor.IsPlaying());
    EXPECT_FALSE(editor.IsPaused());
    EXPECT_FALSE(runner.GetCore().IsPlaying());
    EXPECT_NE(runner.Factory().FindObject("Fade"), nullptr);
}
