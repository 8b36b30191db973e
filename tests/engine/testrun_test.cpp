#include "testrun.h"

#include "enginesystems.h"
#include "recordingsystem.h"
#include "tempfolder.h"
#include "testrunlog.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
class TestRunTest : public ::testing::Test
{
protected:
    TestRunTest()
        : core(EngineSystemsWithoutWindow([this] {
              // Logic runs once in every game frame: count them and keep the frame time.
              auto counter = std::make_unique<RecordingSystem>(SystemId::Logic, log);
              counter->onUpdate = [this] {
                  ++frames;
                  lastFrameTime = gCore->GetFrameTime();
              };
              return counter;
          }))
    {
        core.SetTargetFrameRate(60.0f);
        setup.workingFolder = work.Folder();
        setup.executableFolder = bin.Folder();
        setup.content.loadPrefabFile = [this](const std::string& path) {
            events.push_back("prefab " + TextAfter(path, "Prefabs/"));
        };
        setup.content.loadLevelFile = [this](const std::string& path, bool registerObjects) {
            events.push_back("level " + TextAfter(path, "XML/") + " before frame " +
                             std::to_string(frames + 1) + (registerObjects ? "" : " unregistered"));
        };
        setup.content.destroyAllObjects = [this] { events.push_back("destroy"); };
    }

    TempFolder work;
    TempFolder bin;
    std::vector<std::string> log;
    int frames = 0;
    float lastFrameTime = 0.0f;
    Core core;
    TestRunSetup setup;
    std::vector<std::string> events;
};
}

TEST_F(TestRunTest, WithoutGameplayMarkerItOnlyStartsAndRunsFrames)
{
    bin.Write("Assets/XML/Level1.xml", ""); // not run in this variant
    EXPECT_FALSE(IsTestRunRequested(setup.workingFolder));
    work.Write(".testrun", "");
    ASSERT_TRUE(IsTestRunRequested(setup.workingFolder));

    RunTestHarness(core, setup);

    EXPECT_EQ(work.Read(".log_editor"), EditorTestRunLog);
    EXPECT_EQ(work.Read(".okay_editor"), "RAN STATUS : OK\n");
    EXPECT_EQ(events, (std::vector<std::string>{"destroy"}));
    EXPECT_EQ(frames, 2);
    EXPECT_TRUE(core.GetAudio()->IsMasterMuted());
    EXPECT_FALSE(std::filesystem::exists(work.Path() / ".log_play"));
}

TEST_F(TestRunTest, GameplayVariantLoadsEveryPrefabAndRunsEveryLevelForFiveFrames)
{
    bin.Write("Assets/Prefabs/Torch_7_Prefab.xml", "");
    bin.Write("Assets/Prefabs/Door_3_Prefab.xml", "");
    bin.Write("Assets/XML/Level2.xml", "");
    bin.Write("Assets/XML/Level1.xml", "");
    work.Write(".gameplaymode", "");
    core.SetEditorMode(true);

    RunTestHarness(core, setup);

    EXPECT_EQ(work.Read(".log_play"), "NOTICE: STARTING!\n"
                                      "NOTICE : Detecting 2 XML Files in Bin/Prefabs.\n"
                                      "LOADING PREFAB : Door_3_Prefab.xml ---  OK\n"
                                      "LOADING PREFAB : Torch_7_Prefab.xml ---  OK\n"
                                      "NOTICE : Detecting 2 XML Files in Bin/XML.\n"
                                      "LOADING XML : Level1.xml ---  OK\n"
                                      "LOADING XML : Level2.xml --- OK\n");
    EXPECT_EQ(work.Read(".okay_play"), "RAN STATUS : OK\n");
    // One frame before the content, five per level, one after.
    EXPECT_EQ(events, (std::vector<std::string>{"prefab Door_3_Prefab.xml", "prefab Torch_7_Prefab.xml", "destroy",
                                                "level Level1.xml before frame 2", "destroy",
                                                "level Level2.xml before frame 7", "destroy"}));
    EXPECT_EQ(frames, 12);
    EXPECT_FALSE(core.IsEditorMode());
    EXPECT_FLOAT_EQ(lastFrameTime, 1.0f / 60.0f);
}

TEST_F(TestRunTest, GameplayLogStartsAfreshEditorLogGrowsStatusNeverKeepsAnOldOk)
{
    RunTestHarness(core, setup);
    RunTestHarness(core, setup);
    EXPECT_EQ(work.Read(".log_editor"), EditorTestRunLog + EditorTestRunLog);
    EXPECT_EQ(work.Read(".okay_editor"), "RAN STATUS : OK\n");

    work.Write(".gameplaymode", "");
    work.Write(".log_play", "an earlier run\n");
    RunTestHarness(core, setup);
    EXPECT_EQ(work.Read(".log_play").rfind("NOTICE: STARTING!\n", 0), 0u);

    // A run that dies before its end leaves the status file without the line.
    setup.content.destroyAllObjects = [] { throw std::runtime_error("crash"); };
    EXPECT_THROW(RunTestHarness(core, setup), std::runtime_error);
    EXPECT_EQ(work.Read(".okay_play"), "");
}
