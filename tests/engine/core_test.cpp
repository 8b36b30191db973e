#include "core.h"
#include "editor.h"
#include "messagingsystem.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "recordingsystem.h"

#include <SDL2/SDL.h>
#include <atomic>
#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <thread>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace
{
// The real editor's bookkeeping (profiler), with its set-up and frame only logged.
class RecordingEditor : public Editor
{
public:
    explicit RecordingEditor(std::vector<std::string>& log) : log_(log) { log_.push_back("EDITOR created"); }
    ~RecordingEditor() override { log_.push_back("EDITOR destroyed"); }
    void Init() override
    {
        CreateProfilerEntries();
        log_.push_back("EDITOR init");
    }
    void Update() override { log_.push_back("EDITOR update"); }

private:
    std::vector<std::string>& log_;
};

Core::SystemCreator RecordingSystems(std::vector<std::string>& log, std::map<SystemId, RecordingSystem*>& made)
{
    return [&log, &made](SystemId id) -> std::unique_ptr<System> {
        if (id == SystemId::Editor)
            return std::make_unique<RecordingEditor>(log);
        auto system = std::make_unique<RecordingSystem>(id, log);
        made[id] = system.get();
        return system;
    };
}

class CoreTest : public ::testing::Test
{
protected:
    CoreTest() : core(RecordingSystems(log, systems)), messaging(core.MessageReceivers())
    {
        core.SetFlushDestroyed([this] { log.push_back("flush"); });
        log.clear();
    }

    // One frame with one queued message, logged without the receivers after the first.
    std::vector<std::string> FrameWithAMessage()
    {
        PostMessage(SystemId::None, SystemId::All, "Tick", 0);
        core.Frame();
        std::vector<std::string> shown;
        for (const std::string& entry : log)
            if (entry.find(" got ") == std::string::npos || entry.starts_with("INPUT"))
                shown.push_back(entry);
        log.clear();
        return shown;
    }

    // The main loop at 60 frames per second until AI stops it in the fourth frame; each frame's frame time.
    std::vector<float> RunFourFramesAt60()
    {
        core.SetTargetFrameRate(60.0f);
        std::vector<float> frameTimes;
        systems[SystemId::AI]->onUpdate = [&] {
            frameTimes.push_back(gCore->GetFrameTime());
            if (frameTimes.size() == 4)
                gCore->SetRunning(false);
        };
        core.Run();
        return frameTimes;
    }

    std::vector<std::string> log;
    std::map<SystemId, RecordingSystem*> systems;
    Core core;
    MessagingSystem messaging;
};
}

TEST(CoreLife, CreatesInitialisesAndDestroysTheSystemsInTheirFixedOrders)
{
    std::vector<std::string> log;
    std::map<SystemId, RecordingSystem*> systems;
    {
        Core core(RecordingSystems(log, systems));
        EXPECT_EQ(gCore, &core);
        EXPECT_TRUE(core.IsRunning());
        EXPECT_FALSE(core.IsPaused());
        EXPECT_FALSE(core.IsEditorMode());
        EXPECT_FALSE(core.IsPlaying());
        EXPECT_EQ(core.GetTimeScale(), 1.0f);
        EXPECT_EQ(core.GetFrameTime(), 0.0f);

        testing::internal::CaptureStdout();
        core.Init();
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  " >>> INITIALIZING SYSTEMS!\nSystem: Messaging \t- OK\nSystem: Logic Initializing\n"
                  " >>> ALL SYSTEMS INITIALIZED!\n");
    }
    EXPECT_EQ(gCore, nullptr);
    EXPECT_THAT(log, ElementsAreArray<std::string>(
                         {"INPUT created", "LOGIC created", "GRAPHICS created", "PHYSICS created", "AUDIO created",
                          "EDITOR created", "AI created", "INPUT init", "LOGIC init", "GRAPHICS init",
                          "PHYSICS init", "AUDIO init", "EDITOR init", "AI init", "AI destroyed",
                          "EDITOR destroyed", "AUDIO destroyed", "PHYSICS destroyed", "GRAPHICS destroyed",
                          "LOGIC destroyed", "INPUT destroyed"}));
}

TEST(CoreLife, ACreatorThatFailsLeavesNoSystemBehind)
{
    std::vector<std::string> log;
    auto creator = [&log](SystemId id) -> std::unique_ptr<System> {
        if (id == SystemId::Physics)
            return nullptr;
        return std::make_unique<RecordingSystem>(id, log);
    };
    EXPECT_THROW(Core core(creator), std::invalid_argument);
    EXPECT_THAT(log, ElementsAre("INPUT created", "LOGIC created", "GRAPHICS created", "GRAPHICS destroyed",
                                 "LOGIC destroyed", "INPUT destroyed"));
    EXPECT_EQ(gCore, nullptr);
}

TEST(CoreLife, ShutDownWaitsForEveryTaskEvenAfterOneFailed)
{
    std::vector<std::string> log;
    std::map<SystemId, RecordingSystem*> systems;
    std::promise<void> failing, slow;
    failing.set_exception(std::make_exception_ptr(std::runtime_error("model missing")));
    std::atomic<bool> finished{false};
    std::thread worker;
    testing::internal::CaptureStderr();
    {
        Core core(RecordingSystems(log, systems));
        core.AddAsyncTask("failing", failing.get_future());
        core.AddAsyncTask("slow", slow.get_future());
        worker = std::thread([&] {
            platform::SleepSeconds(0.05);
            finished = true;
            slow.set_value();
        });
    }
    EXPECT_TRUE(finished);
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("model missing"));
    worker.join();
}

TEST_F(CoreTest, GameFrameRunsEverySystemAndFlushesBeforeAIAndBeforeTheScripts)
{
    EXPECT_THAT(FrameWithAMessage(),
                ElementsAre("INPUT update", "INPUT got Tick", "flush", "AI update", "flush", "LOGIC update",
                            "AUDIO update", "PHYSICS update", "GRAPHICS update"));
}

TEST_F(CoreTest, EditorFrameRunsOnlyTheEditorAndGraphicsAndKeepsDestroyedObjects)
{
    core.SetEditorMode(true);
    EXPECT_THAT(FrameWithAMessage(),
                ElementsAre("INPUT update", "INPUT got Tick", "AI update", "EDITOR update", "GRAPHICS update"));
}

TEST_F(CoreTest, PlayingInTheEditorRunsTheGameFrameWithTheEditorBeforeGraphics)
{
    core.SetEditorMode(true);
    core.SetPlaying(true);
    EXPECT_THAT(FrameWithAMessage(),
                ElementsAre("INPUT update", "INPUT got Tick", "flush", "AI update", "flush", "LOGIC update",
                            "AUDIO update", "PHYSICS update", "EDITOR update", "GRAPHICS update"));
}

TEST_F(CoreTest, EveryUpdateIsTimedForTheProfilerWithTheFrameTime)
{
    core.GetEditor()->Init();
    core.Frame();

    for (SystemId id : {SystemId::Input, SystemId::Messaging, SystemId::AI, SystemId::Logic, SystemId::Audio,
                        SystemId::Physics, SystemId::Graphics})
        EXPECT_EQ(core.SystemTimes().count(id), 1u) << SystemNameMap()[id];
    EXPECT_EQ(core.SystemTimes().count(SystemId::Editor), 0u);
    for (const auto& [id, entry] : core.GetEditor()->Profiler())
        EXPECT_EQ(entry.updated, id != SystemId::Editor) << SystemNameMap()[id];
    EXPECT_EQ(core.GetEditor()->FrameTime(), core.GetFrameTime());
}

TEST_F(CoreTest, EachSetPausedPostsAPausedMessageEvenWithoutAChange)
{
    std::vector<bool> values;
    systems[SystemId::Logic]->onMessage = [&values](const BaseMessage& message) {
        ASSERT_EQ(message.name, "Paused");
        EXPECT_EQ(message.sender, SystemId::ScriptCalls);
        EXPECT_EQ(message.receiver, SystemId::All);
        values.push_back(*PayloadOf<bool>(message));
    };
    core.SetPaused(true);
    core.SetPaused(true);
    EXPECT_TRUE(core.IsPaused());
    EXPECT_TRUE(values.empty()); // queued, not delivered at once

    messaging.Update();
    EXPECT_THAT(values, ElementsAre(true, true));
}

TEST_F(CoreTest, TheTimeScaleSetsTheFrameCapAndNeverGoesBelowAHundredth)
{
    core.SetTargetFrameRate(60.0f);
    EXPECT_FLOAT_EQ(core.GetTargetFrameTime(), 1.0f / 60.0f);

    struct Case
    {
        float scale;
        float expectedScale;
    } cases[] = {{2.0f, 2.0f}, {0.5f, 0.5f}, {0.0f, 0.01f}, {-3.0f, 0.01f},
                 {std::numeric_limits<float>::quiet_NaN(), 0.01f}};
    for (const Case& c : cases)
    {
        core.SetTimeScale(c.scale);
        EXPECT_FLOAT_EQ(core.GetTimeScale(), c.expectedScale) << c.scale;
        EXPECT_FLOAT_EQ(core.GetTargetFrameTime(), 1.0f / (c.expectedScale * 60.0f)) << c.scale;
    }

    core.SetTimeScale(1.0f);
    core.AddTimeScale(0.5f);
    EXPECT_FLOAT_EQ(core.GetTargetFrameTime(), 1.0f / 90.0f);
    core.AddTimeScale(-5.0f);
    EXPECT_FLOAT_EQ(core.GetTimeScale(), 0.01f);
}

TEST_F(CoreTest, ResettingTheFrameTimerGivesTheTargetFrameTimeNeverZero)
{
    core.ResetFrameTimer();
    EXPECT_FLOAT_EQ(core.GetFrameTime(), 1.0f / 60.0f); // no target yet: the default rate

    core.SetTargetFrameRate(60.0f);
    core.SetTimeScale(2.0f);
    core.ResetFrameTimer();
    EXPECT_FLOAT_EQ(core.GetFrameTime(), 1.0f / 120.0f);
}

TEST_F(CoreTest, RunCapsTheFrameRateUntilASystemStopsIt)
{
    platform::SleepSeconds(0.05); // loading time the first frame must not see
    const std::vector<float> frameTimes = RunFourFramesAt60();
    ASSERT_EQ(frameTimes.size(), 4u);
    EXPECT_FLOAT_EQ(frameTimes[0], 1.0f / 60.0f);
    for (std::size_t i = 1; i < frameTimes.size(); ++i)
        EXPECT_GE(frameTimes[i], 1.0f / 60.0f) << i;
    EXPECT_GE(core.GetTotalTime(), 4.0f / 60.0f);
}

TEST_F(CoreTest, ALoadInsideAFrameLeavesTheNextFrameTheTargetFrameTime)
{
    // What a script's level change does in the second frame (AI, which counts the frames, runs first).
    int frame = 0;
    systems[SystemId::Logic]->onUpdate = [&] {
        if (++frame != 2)
            return;
        platform::SleepSeconds(0.5);
        gCore->ResetFrameTimer();
    };
    const std::vector<float> frameTimes = RunFourFramesAt60();
    ASSERT_EQ(frameTimes.size(), 4u);
    EXPECT_FLOAT_EQ(frameTimes[2], 1.0f / 60.0f);
    EXPECT_GE(frameTimes[3], 1.0f / 60.0f);
    EXPECT_LT(frameTimes[3], 0.5f);
    EXPECT_LT(core.GetTotalTime(), 0.5f); // the load is not played time either
}

TEST(CoreLoop, AnInactiveWindowRunsNoFramesAndAQuitStillEndsTheLoop)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
    platform::Window window("Nektaru idle", 640, 480); // never shown: never active
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    std::vector<std::string> log;
    std::map<SystemId, RecordingSystem*> systems;
    Core core(RecordingSystems(log, systems), &window);
    core.SetTargetFrameRate(60.0f);
    log.clear();

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    core.Run();

    EXPECT_FALSE(core.IsRunning());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(core.GetTotalTime(), 0.0f);
    EXPECT_STREQ(SDL_GetWindowTitle(SDL_GL_GetCurrentWindow()), "Nektaru idle");
}

TEST_F(CoreTest, RunDoesNothingOnceRunningIsOff)
{
    core.SetRunning(false);
    core.Run();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(core.GetTotalTime(), 0.0f);
}

TEST_F(CoreTest, FinishedTasksAreCollectedAndPendingOnesKept)
{
    std::promise<void> done, pending;
    done.set_value();
    core.AddAsyncTask("done", done.get_future());
    core.AddAsyncTask("pending", pending.get_future());

    core.Frame();
    EXPECT_EQ(core.AsyncTaskCount(), 1u);

    pending.set_value();
    core.PollAsyncTasks(false);
    EXPECT_EQ(core.AsyncTaskCount(), 0u);
}

TEST_F(CoreTest, WaitingForAllTasksWaitsAndAFailedTaskIsRaisedOnce)
{
    core.AddAsyncTask("slow", std::async(std::launch::async, [] { platform::SleepSeconds(0.02); }));
    core.PollAsyncTasks(true);
    EXPECT_EQ(core.AsyncTaskCount(), 0u);

    std::promise<void> failing;
    failing.set_exception(std::make_exception_ptr(std::runtime_error("model missing")));
    core.AddAsyncTask("failing", failing.get_future());
    EXPECT_THROW(core.PollAsyncTasks(false), std::runtime_error);
    EXPECT_EQ(core.AsyncTaskCount(), 0u);
    EXPECT_NO_THROW(core.PollAsyncTasks(true));
}

TEST_F(CoreTest, WaitingForTheStartUpLoadsFinishesTheModelsAfterEveryLoad)
{
    std::vector<std::future<void>> sounds, models;
    sounds.push_back(std::async(std::launch::async, [] {}));
    models.push_back(std::async(std::launch::async, [] {}));
    models.emplace_back(); // a load that never started is reported, not waited on
    bool processed = false;

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    core.WaitForLoading(sounds, models, [&] {
        processed = true;
        for (auto& future : models)
            EXPECT_FALSE(future.valid());
    });
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("ASSERT"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\tResourceManager: Processing models ... done\n");
    EXPECT_TRUE(processed);
}

TEST(FrameTitle, ShowsTheFrameRateAndTheTimeLeftInTheFrame)
{
    EXPECT_EQ(FrameTitle("Nektaru (main)", 0.015625f, 0.0012f),
              "Nektaru (main)    FPS: 64.000000     Frame time wasted: 0.001200seconds");
    EXPECT_EQ(FrameTitle("Nektaru ()", 0.03125f, -0.004f),
              "Nektaru ()    FPS: 32.000000     Frame time wasted: -0.004000seconds");
}

TEST(EditorModeFlag, IsOnlyTheExactEditorArgument)
{
    const char* withFlag[] = {"Nektaru", "--editor"};
    const char* without[] = {"Nektaru", "--editors", "editor"};
    EXPECT_TRUE(EditorModeRequested(withFlag));
    EXPECT_FALSE(EditorModeRequested(without));
}
