// Debug shortcuts: one chord, one action; the keyboard acts on the press, the gamepad on the release.
#include "fakeworld.h"

#include "playerpref.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
constexpr std::uint16_t kCtrl = 17;
constexpr std::uint32_t kBack = 32;

class CheatCodesTest : public ::testing::Test
{
protected:
    CheatCodesTest()
    {
        player.active = false;
        world.factory.levelName = "Level1";
        world.Step();
    }
    void Chord(std::initializer_list<std::uint16_t> keys)
    {
        world.input.Hold(kCtrl);
        for (const std::uint16_t key : keys)
            world.input.Hold(key);
        world.Step();
        world.input.ReleaseAll();
        world.Step();
    }

    FakeWorld world;
    FakeObject& player = world.Object("Player");
    PlayerStats& stats = world.Attach<PlayerStats>(player);
    CheatCodes& cheats = world.Attach<CheatCodes>(world.Object("Cheats"));
};

TEST_F(CheatCodesTest, ReloadWinsOverNextLevelInOneFrameAndNextLevelTakesTheLastSwitcher)
{
    world.Attach<LevelSwitcher>(world.Object("Level2"));
    world.Attach<LevelSwitcher>(world.Object("Level3"));
    world.Step();
    Chord({'R', 'N'});
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("Level1"));
    EXPECT_EQ(world.audio.stopAlls, 0);
    Chord({'N'});
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("Level1", "Level2", "Level3"));
    EXPECT_EQ(world.audio.stopAlls, 2);
    // Without Ctrl the letters are only letters.
    world.input.Hold('R');
    world.Step();
    EXPECT_EQ(world.factory.loadedLevels.size(), 3u);
}

TEST_F(CheatCodesTest, GamepadChordsActOnTheReleaseOfTheSecondButton)
{
    world.input.gamepadConnected = true;
    world.input.HoldButton(kBack);
    world.input.HoldButton(256);
    world.Step();
    EXPECT_TRUE(world.factory.loadedLevels.empty());
    world.input.ReleaseButton(256);
    world.Step();
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("Level1"));
    world.input.HoldButton(1);
    world.Step();
    world.input.ReleaseButton(1);
    world.Step();
    EXPECT_TRUE(cheats.godMode);
    EXPECT_TRUE(stats.invulnerable);
}

TEST_F(CheatCodesTest, GodModeSoundsWhenSwitchedOnAndAfterACutsceneClearedItNeedsTwoSwitches)
{
    Chord({'G'});
    EXPECT_TRUE(stats.invulnerable);
    ASSERT_EQ(world.audio.played.size(), 1u);
    EXPECT_EQ(world.audio.played[0].name, "");
    EXPECT_EQ(world.audio.played[0].volume, 1.0f);
    // A cutscene gave the player back.
    stats.invulnerable = false;
    Chord({'G'});
    EXPECT_FALSE(stats.invulnerable);
    EXPECT_EQ(world.audio.played.size(), 1u);
    Chord({'G'});
    EXPECT_TRUE(stats.invulnerable);
    EXPECT_EQ(world.audio.played.size(), 2u);
}

TEST_F(CheatCodesTest, UnlockStoresMeleeAndBlink)
{
    Chord({'U'});
    EXPECT_EQ(PlayerPref::GetInt("unlockedMelee"), 1);
    EXPECT_EQ(PlayerPref::GetInt("unlockedBlink"), 1);
}

TEST(CheatCodesWithoutPlayer, GodModeFlipsAndWritesNothing)
{
    FakeWorld world;
    auto& cheats = world.Attach<CheatCodes>(world.Object("Cheats"));
    world.Step();
    world.input.Hold(kCtrl);
    world.input.Hold('G');
    world.Step();
    EXPECT_TRUE(cheats.godMode);
}
} // namespace
