// The boss fixture level played on the engine and the built game library: the first beam leaves along the
// facing the boss is drawn with, and Ctrl+Backspace ends the fight.
#include "levelrunner.h"
#include "transforminterface.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr int kFramesPerSecond = 60;

TEST(BossLevel, TheFirstBeamLeavesAlongTheDrawnFacingAndCtrlBackspaceEndsTheFight)
{
    SKIP_UNLESS_LEVELS_CAN_RUN();
    LevelRunner runner("player+boss", "Boss");

    // Loaded at yaw 30, the boss is drawn facing where its Transform's forward points; its first beam, 4.5 s
    // in, goes that way, however a rotation of 30 degrees set by a script would face.
    int frames = 0;
    while (!runner.Factory().FindObject("BeamProjectile") && frames < 6 * kFramesPerSecond)
    {
        runner.Frames(1);
        ++frames;
    }
    ASSERT_NE(runner.Factory().FindObject("BeamProjectile"), nullptr);
    EXPECT_NEAR(frames, 4.5f * kFramesPerSecond, 6.0f);
    const Vector3 home = runner.Position("FinalBoss");
    const Vector3 drawn = runner.Object("FinalBoss").GetTransform()->GetForward();
    const Vector3 first = runner.Position("BeamProjectile") - home;
    EXPECT_LT(first.Cross(drawn).Length(), 1e-3f);
    // One unit in front of the boss, or a frame's flight (80 / 60) farther when the beam has run already.
    EXPECT_GE(first.Dot(drawn), 1.0f - 1e-3f);
    EXPECT_LE(first.Dot(drawn), 1.0f + 80.0f / kFramesPerSecond + 1e-3f);
    runner.Frames(5);
    const Vector3 flown = runner.Position("BeamProjectile") - home - first;
    EXPECT_LT(flown.Cross(drawn).Length(), 1e-2f);
    EXPECT_GT(flown.Dot(drawn), 2.0f);

    ASSERT_NE(runner.Factory().FindObject("Bomb"), nullptr);
    runner.Hold(SDLK_LCTRL);
    runner.Frames(1);
    runner.Hold(SDLK_BACKSPACE);
    runner.Frames(2);
    runner.Let(SDLK_BACKSPACE);
    runner.Let(SDLK_LCTRL);
    EXPECT_EQ(runner.Factory().FindObject("Bomb"), nullptr);
    EXPECT_NE(runner.Position("Final Cutscene Trigger"), runner.Position("Player"));
    runner.Frames(kFramesPerSecond);
    EXPECT_EQ(runner.Position("Special Cutscene Trigger"), runner.Position("Player"));
    EXPECT_EQ(runner.Position("Final Cutscene Trigger"), runner.Position("Player"));
}
} // namespace
