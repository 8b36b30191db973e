#include "fakeworld.h"

#include "scripthelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace
{
class FadeTest : public ::testing::Test
{
protected:
    FadeTest()
    {
        world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    }
    FadeInFadeOut& Fade() { return *FindFade(); }

    FakeWorld world;
    FakeImage& cover = world.Object("Fade").Add<FakeImage>();
};

TEST_F(FadeTest, AFadeInRunsTheCoverDownAQuarterSineInWholeDegreesAndAFadeOutBackUp)
{
    std::vector<float> alphas;
    for (world.Step(); Fade().fadingIn && alphas.size() < 100; world.Step())
        alphas.push_back(cover.GetAlpha());
    alphas.push_back(cover.GetAlpha());
    // 59/60 of 90 degrees is 88.5, taken as 88.
    EXPECT_FLOAT_EQ(alphas.front(), SinDegrees(88));
    EXPECT_TRUE(std::ranges::is_sorted(alphas, std::greater<>()));
    EXPECT_FLOAT_EQ(alphas.back(), 0.0f);
    EXPECT_NEAR(static_cast<double>(alphas.size()), 60.0, 1.0);

    Fade().StartFadeOut();
    world.Step();
    EXPECT_FLOAT_EQ(cover.GetAlpha(), SinDegrees(178));
    world.Steps(61);
    EXPECT_FALSE(Fade().IsRunning());
    EXPECT_FLOAT_EQ(cover.GetAlpha(), 1.0f);
}

// A reload drops the running fade and whatever waited for it: the scene comes back from where the cover stood,
// without a jump to black, and is not left covered.
TEST_F(FadeTest, AReloadHalfWayThroughAFadeOutBringsTheSceneBackFromWhereTheCoverStands)
{
    world.Steps(61);
    Fade().StartFadeOut();
    world.Steps(30);
    const float atReload = cover.GetAlpha();
    ASSERT_GT(atReload, 0.5f);
    ASSERT_LT(atReload, 1.0f);
    world.HotReload();
    std::vector<float> alphas;
    for (int frame = 0; frame < 61; ++frame, world.Step())
        alphas.push_back(cover.GetAlpha());
    EXPECT_LE(alphas.at(1), atReload);
    EXPECT_GT(alphas.at(1), atReload - 0.05f);
    EXPECT_TRUE(std::ranges::is_sorted(alphas, std::greater<>()));
    EXPECT_FLOAT_EQ(alphas.back(), 0.0f);
    EXPECT_FALSE(Fade().IsRunning());
}

TEST_F(FadeTest, BothFlagsSetRunBothStepsInOneFrame)
{
    world.Step();
    FadeInFadeOut& fade = Fade();
    fade.duration = 0.9f;
    fade.timer = fade.duration;
    fade.fadingIn = fade.fadingOut = true;
    world.Step();
    EXPECT_FLOAT_EQ(fade.timer, 0.9f - 2.0f * FakeWorld::kFrameTime);
    EXPECT_TRUE(fade.fadingIn);
    // The fade-out's alpha is written last: 86.7 degrees past 90.
    EXPECT_FLOAT_EQ(cover.GetAlpha(), SinDegrees(90 + 86));
}

TEST_F(FadeTest, ThePlayerIsHeldWhileAFadeRunsAndWhileHoldPlayerIsSet)
{
    FakeObject& player = world.Object("Player");
    auto& controller = world.Attach<PlayerController>(player);
    world.Step();
    FadeInFadeOut& fade = Fade();
    EXPECT_EQ(fade.playerController, &controller);
    controller.busy = false;
    world.Step();
    EXPECT_TRUE(controller.busy);
    world.Steps(60);
    EXPECT_FALSE(fade.IsRunning());
    world.Step();
    EXPECT_FALSE(controller.busy);

    fade.holdPlayer = true;
    fade.StartFadeIn();
    world.Steps(62);
    EXPECT_TRUE(controller.busy);
    fade.holdPlayer = false;
    world.Step();
    EXPECT_FALSE(controller.busy);
}

TEST(FadeWithoutCover, RunsItsTimersAndClearsItsFlagsButNeverTouchesThePlayer)
{
    FakeWorld world;
    auto& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    auto& controller = world.Attach<PlayerController>(world.Object("Player"));
    world.Step();
    controller.busy = false;
    world.Steps(61);
    EXPECT_FALSE(fade.IsRunning());
    EXPECT_FALSE(controller.busy);
}

TEST(FadeLookup, IsTheFadeInFadeOutScriptOfFadeLogicOnly)
{
    FakeWorld world;
    EXPECT_EQ(FindFade(), nullptr);
    FakeObject& logic = world.Object("FadeLogic");
    EXPECT_EQ(FindFade(), nullptr);
    world.Attach<GameLogic>(logic);
    EXPECT_EQ(FindFade(), nullptr);
    auto& fade = world.Attach<FadeInFadeOut>(logic);
    EXPECT_EQ(FindFade(), &fade);
}
} // namespace
