#include "menuworld.h"

#include <gtest/gtest.h>

using namespace menuworld;

namespace
{
class CreditsRollingTest : public ::testing::Test
{
protected:
    CreditsRollingTest()
    {
        UiObject(world, "Panel1", {0, -100, 0});
        UiObject(world, "Panel2", {0, -300, 0});
        UiObject(world, "Panel4", {0, -900, 0});
        roll.speed = 10.0f;
    }

    FakeWorld world;
    FadeInFadeOut& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    CreditsRolling& roll = world.Attach<CreditsRolling>(world.Object("Credits"));
};

TEST_F(CreditsRollingTest, PanelsMovePerFrameUntilTheLastArrivesAndTheMenuLoadsOneAndAHalfSecondsLater)
{
    world.Step();
    EXPECT_TRUE(fade.fadingIn);
    EXPECT_FLOAT_EQ(RectOf(world, "Panel1").position.y, -90.0f);
    EXPECT_FLOAT_EQ(RectOf(world, "Panel4").position.y, -900.0f);
    world.Steps(28);
    EXPECT_TRUE(roll.rolling);
    world.Step();
    EXPECT_FLOAT_EQ(RectOf(world, "Panel2").position.y, 0.0f);
    EXPECT_TRUE(roll.ending);
    EXPECT_TRUE(fade.fadingOut);
    world.Steps(88);
    EXPECT_TRUE(world.factory.loadedLevels.empty());
    world.Steps(2);
    ASSERT_FALSE(world.factory.loadedLevels.empty());
    EXPECT_EQ(world.factory.loadedLevels.front(), "MainMenuLevel");
    EXPECT_FLOAT_EQ(RectOf(world, "Panel2").position.y, 0.0f);
}

TEST_F(CreditsRollingTest, ConfirmSetsTheSpeedToFiveEvenWhenItWasFaster)
{
    roll.speed = 20.0f;
    world.Step();
    world.input.Hold(kEnter);
    world.Step();
    EXPECT_FLOAT_EQ(roll.speed, 5.0f);
    EXPECT_FLOAT_EQ(RectOf(world, "Panel1").position.y, -75.0f);
}

TEST(CreditsRollingWithoutPanels, EndsAtOnce)
{
    FakeWorld world;
    world.Attach<CreditsRolling>(world.Object("Credits"));
    world.Steps(88);
    EXPECT_TRUE(world.factory.loadedLevels.empty());
    world.Steps(3);
    ASSERT_FALSE(world.factory.loadedLevels.empty());
    EXPECT_EQ(world.factory.loadedLevels.front(), "MainMenuLevel");
}
} // namespace
