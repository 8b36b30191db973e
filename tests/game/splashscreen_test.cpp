#include "fakeworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
constexpr std::uint16_t kEnter = 13;

class SplashTest : public ::testing::Test
{
protected:
    SplashScreen& AddSplash()
    {
        auto& splash = world.Attach<SplashScreen>(world.Object("Splash"));
        splash.nextLevel = "MainMenuLevel";
        return splash;
    }

    FakeWorld world;
};

TEST_F(SplashTest, FadesInForOneSecondHoldsThreeAndLoadsTheNextLevelOneSecondIntoTheFadeOut)
{
    auto& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    AddSplash();
    world.Steps(58);
    EXPECT_TRUE(fade.fadingIn);
    // 4 s less two frames: the hold still runs.
    world.Steps(180);
    EXPECT_FALSE(fade.IsRunning());
    world.Steps(4);
    EXPECT_TRUE(fade.fadingOut);
    world.Steps(56);
    EXPECT_TRUE(world.factory.loadedLevels.empty());
    world.Steps(4);
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("MainMenuLevel"));
}

// Reloaded fading in, holding or fading out, the splash holds its logo a whole hold again and moves on by
// itself: 3 s, then the 1 s fade-out.
TEST(SplashReload, AReloadedSplashHoldsAgainAndStillMovesOnByItself)
{
    for (const int framesBefore : {30, 150, 270})
    {
        SCOPED_TRACE(framesBefore);
        FakeWorld world;
        world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
        world.Attach<SplashScreen>(world.Object("Splash")).nextLevel = "MainMenuLevel";
        world.Steps(framesBefore);
        world.HotReload();
        world.Steps(238);
        EXPECT_TRUE(world.factory.loadedLevels.empty());
        world.Steps(4);
        EXPECT_THAT(world.factory.loadedLevels, ElementsAre("MainMenuLevel"));
    }
}

TEST_F(SplashTest, ConfirmOnTheFirstFrameLoadsTheNextLevelAtOnce)
{
    world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    AddSplash();
    world.input.Hold(kEnter);
    world.Step();
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("MainMenuLevel"));
}

TEST_F(SplashTest, WithoutAFadeItIsReportedAndThePhasesRunAtOneSecond)
{
    SplashScreen* splash = nullptr;
    const std::string reports = ReportsOf([&] {
        splash = &AddSplash();
        world.Steps(298);
    });
    EXPECT_EQ(CountOf(reports, "SplashScreen. FadeLogic cannot be found"), 1);
    EXPECT_TRUE(splash->fadingOut);
    EXPECT_TRUE(world.factory.loadedLevels.empty());
    world.Steps(4);
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("MainMenuLevel"));
}
} // namespace
