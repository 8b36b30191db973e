// The fixed-step loop: every frame measures the target frame time, however long it really took.
#include "core.h"
#include "fixedsteps.h"
#include "idlesystem.h"
#include "recordingsystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::FloatEq;

TEST(FixedSteps, FramesMeasureTheTargetFrameTimeAndStopWhenRunningIsSwitchedOff)
{
    std::vector<std::string> log;
    std::vector<float> frameTimes;
    Core core([&](SystemId id) -> std::unique_ptr<System> {
        if (id != SystemId::Logic)
            return std::make_unique<IdleSystem>(id);
        auto logic = std::make_unique<RecordingSystem>(id, log);
        logic->onUpdate = [&] { frameTimes.push_back(gCore->GetFrameTime()); };
        return logic;
    });
    std::vector<int> asked;
    const MainLoop loop = FixedStepLoop(10, [&](int frame) {
        asked.push_back(frame);
        // A slow frame is still 1/60 s long to the game.
        if (frame == 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        if (frame == 3)
            core.SetRunning(false);
    });
    loop(core);
    EXPECT_THAT(asked, ElementsAre(0, 1, 2, 3));
    EXPECT_EQ(frameTimes.size(), 4u);
    EXPECT_THAT(frameTimes, Each(FloatEq(1.0f / 60.0f)));
}
