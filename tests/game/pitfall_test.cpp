#include "fakeenemy.h"
#include "fakeplayer.h"

#include <gtest/gtest.h>

namespace
{
class PitfallTest : public ::testing::Test
{
protected:
    PitfallTest()
    {
        world.Step();
        controller.respawnPoint = {4.0f, 2.0f, 4.0f};
        level.player.transform.SetPosition({0.0f, -3.0f, 0.0f});
    }

    FakeWorld world;
    FakePlayerLevel level{world};
    PlayerController& controller = level.controller;
    FakeObject& pit = world.Object("Pit");
    Pitfall& script = world.Attach<Pitfall>(pit);
};

TEST_F(PitfallTest, TheFallHurtsAVulnerablePlayerAndPutsBackAnInvulnerableOneWhatEverItDoes)
{
    struct Case
    {
        const char* what;
        PlayerController::PlayerState state;
        bool invulnerable;
        bool hurt;
        bool putBack;
    };
    const Case cases[] = {
        {"walking", PlayerController::kMoving, false, true, false},
        {"blinking", PlayerController::kBlinking, false, false, false},
        {"dead", PlayerController::kDead, false, false, false},
        {"invulnerable", PlayerController::kIdle, true, false, true},
        {"invulnerable blinking", PlayerController::kBlinking, true, false, true},
    };
    for (const Case& c : cases)
    {
        controller.playerState = c.state;
        level.stats->invulnerable = c.invulnerable;
        level.body.SetStatic(false);
        PlayerStats::SetCurrHealth(3);
        level.player.transform.SetPosition({0.0f, -3.0f, 0.0f});
        world.TriggerEnter(pit, level.player, {});
        EXPECT_EQ(PlayerStats::GetCurrHealth(), c.hurt ? 2 : 3) << c.what;
        EXPECT_EQ(controller.playerState == PlayerController::kDead, c.hurt || c.state == PlayerController::kDead)
            << c.what;
        EXPECT_EQ(level.body.isStatic, c.hurt) << c.what;
        EXPECT_EQ(level.player.transform.GetPosition() == Vector3(4.0f, 2.0f, 4.0f), c.putBack) << c.what;
        EXPECT_EQ(script.playerController, &controller) << c.what;
    }
}

TEST_F(PitfallTest, APlayerStillInThePitIsHurtUnlessBlinkingOrDead)
{
    controller.playerState = PlayerController::kBlinking;
    world.TriggerStay(pit, level.player, {});
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 3);
    controller.playerState = PlayerController::kIdle;
    world.TriggerStay(pit, level.player, {});
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 2);
    EXPECT_TRUE(level.body.isStatic);
    world.TriggerStay(pit, level.player, {});
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 2) << "now dead";
}

TEST_F(PitfallTest, AnInvulnerablePlayerEndingABlinkInThePitIsPutBackAndNeverHeld)
{
    level.stats->invulnerable = true;
    controller.playerState = PlayerController::kBlinking;
    world.TriggerStay(pit, level.player, {});
    EXPECT_EQ(level.player.transform.GetPosition(), Vector3(0.0f, -3.0f, 0.0f)) << "still blinking over it";
    controller.playerState = PlayerController::kIdle;
    world.TriggerStay(pit, level.player, {});
    EXPECT_EQ(level.player.transform.GetPosition(), Vector3(4.0f, 2.0f, 4.0f));
    EXPECT_FALSE(level.body.isStatic);
    EXPECT_EQ(controller.playerState, PlayerController::kIdle);
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 3);
}

TEST_F(PitfallTest, AnEnemyAICharacterFallingInLosesAllHealthAnythingElseIsLeftAlone)
{
    FakeObject& mummy = world.Object("Elem Mummy", "Elem");
    FakeEnemy& enemy = AddFakeEnemy(mummy);
    enemy.health = 4;
    world.TriggerEnter(pit, mummy, {});
    EXPECT_EQ(enemy.health, 0);

    FakeObject& statue = world.Object("Elem Statue", "Elem");
    statue.SetScript("Elem", std::make_unique<Keys>());
    FakeObject& named = world.Object("Mummy", "Elem");
    FakeEnemy& unnamed = AddFakeEnemy(named);
    unnamed.health = 4;
    world.TriggerEnter(pit, statue, {});
    world.TriggerEnter(pit, named, {});
    EXPECT_EQ(unnamed.health, 4) << "the pit goes by the name";
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 3);
}

TEST(PitfallPlayer, APlayerWithoutControllerOrStatsIsSkipped)
{
    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    player.Add<FakeRigidBody>();
    world.Attach<PlayerController>(player);
    FakeObject& pit = world.Object("Pit");
    world.Attach<Pitfall>(pit);
    ReportsOf([&] { world.Step(); });
    world.TriggerEnter(pit, player, {});
    EXPECT_EQ(player.Get<FakeRigidBody>().isStatic, false);
}
} // namespace
