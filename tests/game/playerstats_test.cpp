// The player's hearts and blink charges: the store's first values, the icons, gained containers and
// regained charges.
#include "fakeplayer.h"
#include "playerpref.h"
#include "playerprefprobe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
class PlayerStatsTest : public ::testing::Test
{
protected:
    PlayerStatsTest() { world.Step(); }

    FakeObject& Icon(const std::string& name) { return *world.factory.FindObject(name); }
    float Alpha(const std::string& name) { return Icon(name).Get<FakeImage>().GetAlpha(); }
    std::string Material(const std::string& name) { return Icon(name).Get<FakeImage>().material; }
    static std::vector<int> Stored()
    {
        std::vector<int> values;
        for (const char* key : {"maxHealth", "currHealth", "maxBlinkCharges", "currBlinkCharges", "unlockedMelee",
                                "unlockedBlink", "unlockedTutorialCount"})
            values.push_back(PlayerPrefProbe::Ints(key) ? PlayerPref::GetInt(key) : -1);
        return values;
    }

    FakeWorld world;
    FakePlayerLevel level{world};
    PlayerStats& stats = *level.stats;
};

TEST_F(PlayerStatsTest, TheFirstStartStoresTheDefaultsAndALaterOneRefillsToTheMaxima)
{
    EXPECT_THAT(Stored(), ElementsAre(3, 3, 3, 3, 0, 0, 0));
    EXPECT_EQ(Alpha("Heart2"), 1.0f);
    EXPECT_EQ(Alpha("Heart3"), 0.0f);
    EXPECT_EQ(stats.scarabs.size(), 3u);

    // The next level: maxima and unlocks kept, current values refilled.
    PlayerPref::SetInt("maxHealth", 4);
    PlayerPref::SetInt("currHealth", 1);
    PlayerPref::SetInt("currBlinkCharges", 0);
    PlayerPref::SetInt("unlockedMelee", 1);
    PlayerPref::SetInt("unlockedTutorialCount", 2);
    stats.invulnerable = true;
    stats.heartsGained = 2;
    stats.Start();
    EXPECT_THAT(Stored(), ElementsAre(4, 4, 3, 3, 1, 0, 2));
    EXPECT_EQ(Alpha("Heart3"), 1.0f);
    EXPECT_FALSE(stats.invulnerable);
    EXPECT_EQ(stats.heartsGained, 0);
    EXPECT_EQ(stats.player, &level.player);
}

TEST_F(PlayerStatsTest, AHeartContainerAddsOneUpToTenAndOnlyAnAddedOneIsCounted)
{
    PlayerStats::SetCurrHealth(1);
    stats.AddHeartContainer();
    EXPECT_EQ(PlayerStats::GetMaxHealth(), 4);
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 4);
    EXPECT_EQ(stats.heartsGained, 1);
    EXPECT_EQ(Alpha("Heart3"), 1.0f);
    // Hearts 1 to 3 were refilled; heart 0 was full already.
    EXPECT_EQ(Material("Heart0"), "");
    for (const char* heart : {"Heart1", "Heart2", "Heart3"})
        EXPECT_EQ(Material(heart), "HeartFilledUI") << heart;

    PlayerPref::SetInt("maxHealth", 10);
    PlayerStats::SetCurrHealth(7);
    stats.AddHeartContainer();
    EXPECT_EQ(PlayerStats::GetMaxHealth(), 10);
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 7);
    EXPECT_EQ(stats.heartsGained, 1);
}

TEST_F(PlayerStatsTest, AContinueTakesBackTheGainedContainersButNeverBelowThree)
{
    stats.AddHeartContainer();
    stats.AddHeartContainer();
    PlayerStats::SetCurrHealth(0);
    stats.RemoveGainedHearts();
    EXPECT_EQ(PlayerStats::GetMaxHealth(), 3);
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 3);
    EXPECT_EQ(Alpha("Heart3"), 0.0f);
    EXPECT_EQ(Alpha("Heart4"), 0.0f);
    EXPECT_EQ(Alpha("Heart2"), 1.0f);

    // More to take back than was gained: it stops at three and says so.
    PlayerPref::SetInt("maxHealth", 4);
    stats.heartsGained = 3;
    const std::string reports = ReportsOf([&] { stats.RemoveGainedHearts(); });
    EXPECT_EQ(CountOf(reports, "more hearts to take back"), 1) << reports;
    EXPECT_EQ(PlayerStats::GetMaxHealth(), 3);
    EXPECT_EQ(Alpha("Heart2"), 1.0f);
}

TEST_F(PlayerStatsTest, ARegainedChargeFillsItsScarabAndFlashesForAFewFramesAtTheMaximumNothing)
{
    PlayerPref::SetInt("currBlinkCharges", 1);
    stats.AddBlinkCharge();
    EXPECT_EQ(PlayerStats::GetCurrBlinkCharges(), 2);
    EXPECT_EQ(Material("Scarab1"), "ScarabFilledUI");
    EXPECT_EQ(Icon("Scarab1").Get<FakeRectTransform>().scale, (Vector2{0.65f, 0.65f}));
    ASSERT_EQ(world.audio.played.size(), 1u);
    EXPECT_EQ(world.audio.played[0].name, "sfx_dash");
    EXPECT_FLOAT_EQ(world.audio.played[0].volume, 0.05f);
    // 0.15 s: shown for eight frames of 1/60 s, gone by the tenth.
    world.Steps(8);
    EXPECT_EQ(Alpha("ScarabRecharge1"), 1.0f);
    world.Steps(2);
    EXPECT_EQ(Alpha("ScarabRecharge1"), 0.0f);
    EXPECT_EQ(Alpha("ScarabRecharge0"), 0.0f);

    PlayerPref::SetInt("currBlinkCharges", 3);
    stats.AddBlinkCharge();
    EXPECT_EQ(PlayerStats::GetCurrBlinkCharges(), 3);
    EXPECT_EQ(world.audio.played.size(), 1u);
}

TEST(PlayerStatsWithoutIcons, MissingIconsAreReportedAtStartAndSkipped)
{
    FakeWorld world;
    FakePlayerParts parts;
    parts.hearts = 2;
    parts.scarabs = 0;
    FakePlayerLevel level(world, parts);
    const std::string reports = ReportsOf([&] { world.Step(); });
    EXPECT_EQ(CountOf(reports, "PlayerStats: no icon object"), 7) << reports;
    EXPECT_EQ(CountOf(reports, "\"Heart2\""), 1) << reports;

    PlayerPref::SetInt("currBlinkCharges", 0);
    PlayerStats::SetCurrHealth(0);
    ReportsOf([&] {
        level.stats->AddBlinkCharge();
        level.stats->AddHeartContainer();
        level.stats->RemoveGainedHearts();
        world.Step();
    });
    EXPECT_EQ(PlayerStats::GetCurrBlinkCharges(), 1);
    EXPECT_EQ(PlayerStats::GetMaxHealth(), 3);
}
} // namespace
