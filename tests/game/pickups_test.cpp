#include "fakeworld.h"
#include "playerpref.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
class PickupTest : public ::testing::Test
{
protected:
    PickupTest()
    {
        pickup.Place({2.0f, 1.0f, 0.0f}, {10.0f, 0.0f, 20.0f});
        pickup.Add<FakeMeshRenderer>();
        pickup.Add<FakeCollider>().trigger = true;
    }

    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    PlayerStats& stats = world.Attach<PlayerStats>(player);
    FakeObject& pickup = world.Object("Pickup");
    FakeObject& crate = world.Object("Crate");
};

TEST_F(PickupTest, AHeartSpinsOnceASecondAboutTheVerticalAxis)
{
    Heart& heart = world.Attach<Heart>(pickup);
    world.Step();
    EXPECT_FLOAT_EQ(pickup.transform.GetRotation().x, 10.0f);
    EXPECT_NEAR(pickup.transform.GetRotation().y, 6.0f, 1e-5f);
    EXPECT_FLOAT_EQ(pickup.transform.GetRotation().z, 20.0f);
    world.Steps(70);
    EXPECT_GE(heart.spinAngle, 0.0f);
    EXPECT_LE(heart.spinAngle, 360.0f);
    EXPECT_NEAR(pickup.transform.GetRotation().y, heart.spinAngle, 1e-4f);
}

TEST_F(PickupTest, AHeartAddsAContainerCountedOnlyWhenOneWasAddedAndGoes)
{
    world.Attach<Heart>(pickup);
    world.Step();
    world.TriggerEnter(pickup, crate, {});
    EXPECT_FALSE(pickup.destroyed);

    world.TriggerEnter(pickup, player, {});
    EXPECT_EQ(PlayerStats::GetMaxHealth(), 4);
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 4);
    EXPECT_EQ(stats.heartsGained, 1);
    EXPECT_TRUE(pickup.destroyed);
    ASSERT_EQ(world.audio.played.size(), 1u);
    EXPECT_EQ(world.audio.played[0].name, "sfx_ItemPickUp");
    EXPECT_FLOAT_EQ(world.audio.played[0].volume, 0.3f);

    PlayerPref::SetInt("maxHealth", 10);
    FakeObject& another = world.Object("Another");
    world.Attach<Heart>(another);
    world.Step();
    world.TriggerEnter(another, player, {});
    EXPECT_EQ(PlayerStats::GetMaxHealth(), 10);
    EXPECT_EQ(stats.heartsGained, 1) << "none was added at 10";
    EXPECT_TRUE(world.factory.WasDestroyed("Another"));
}

TEST(HeartWithoutStats, APlayerWithoutStatsIsReportedAndTheHeartStays)
{
    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    FakeObject& heart = world.Object("Heart");
    world.Attach<Heart>(heart);
    world.Step();
    EXPECT_EQ(CountOf(ReportsOf([&] { world.TriggerEnter(heart, player, {}); }), "PlayerStats is nullptr"), 1);
    EXPECT_FALSE(heart.destroyed);
    EXPECT_TRUE(world.audio.played.empty());
}

class AnkhTest : public PickupTest
{
protected:
    AnkhTest()
    {
        for (FakeObject* door : {&door, &twin})
        {
            door->Add<FakeMeshRenderer>().enabled = false;
            door->Add<FakeAnimator>();
            door->Add<FakeCollider>();
        }
        twin.Place({9.0f, 0.0f, 0.0f});
        player.Add<FakeMeshFilter>().meshName = "Mummy";
        pickup.Add<FakeParticleSystem>().Play();
        pickup.Get<FakeCollider>().enabled = false;
        world.Step();
    }

    FakeObject& door = world.Object("ankhdoor");
    FakeObject& twin = world.Object("ankhdoor");
    Ankh& ankh = world.Attach<Ankh>(pickup);
};

TEST_F(AnkhTest, ItShowsItsDoorAndItselfAndBobsByFixedStepsEveryFrame)
{
    EXPECT_TRUE(door.Get<FakeMeshRenderer>().enabled);
    EXPECT_FALSE(twin.Get<FakeMeshRenderer>().enabled) << "only the one found by name";
    EXPECT_TRUE(pickup.Get<FakeCollider>().enabled);
    // The first frame: 1.5 degrees, read as 1.
    EXPECT_NEAR(pickup.transform.GetPosition().y, 1.0f + (0.017452f - 0.64f) * 0.008f, 1e-6f);
    world.Steps(59);
    EXPECT_NEAR(pickup.transform.GetPosition().y, 1.0f, 0.01f) << "one dip and rise a second";
    EXPECT_NE(pickup.transform.GetPosition().y, 1.0f);
}

TEST_F(AnkhTest, ThePickupUnlocksTheMeleeChangesThePlayersModelAndBreaksTheDoorsWhichGoAfter2Point45Seconds)
{
    world.TriggerEnter(pickup, crate, {});
    EXPECT_TRUE(pickup.Get<FakeCollider>().enabled);

    world.TriggerEnter(pickup, player, {});
    EXPECT_FALSE(pickup.Get<FakeMeshRenderer>().enabled);
    EXPECT_FALSE(pickup.Get<FakeCollider>().enabled);
    EXPECT_TRUE(pickup.Get<FakeParticleSystem>().stopped);
    EXPECT_EQ(PlayerPref::GetInt("unlockedMelee"), 1);
    EXPECT_EQ(player.Get<FakeMeshFilter>().meshName, "MainCharacter");
    for (FakeObject* broken : {&door, &twin})
    {
        EXPECT_THAT(broken->Get<FakeAnimator>().played, ElementsAre("Break"));
        EXPECT_TRUE(broken->Get<FakeCollider>().trigger);
    }
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_ItemPickUp", "sfx_DoorCrumble", "sfx_DoorCrumble"));
    EXPECT_EQ(world.audio.played[2].position, Vector3(9.0f, 0.0f, 0.0f));

    world.Steps(146);
    EXPECT_FALSE(door.destroyed);
    world.Steps(2);
    EXPECT_EQ(world.factory.destroyed, std::vector<std::string>{"ankhdoor"});
    EXPECT_EQ(world.factory.FindObject("ankhdoor"), &twin);
}

TEST_F(AnkhTest, ASecondAnkhPickedUpAfterTheSharedDoorWentBreaksNothingMore)
{
    FakeObject& second = world.Object("Second Ankh");
    second.Add<FakeCollider>().trigger = true;
    world.Attach<Ankh>(second);
    world.Step();
    world.TriggerEnter(pickup, player, {});
    world.Steps(148);
    ASSERT_EQ(world.factory.destroyed, std::vector<std::string>{"ankhdoor"});

    const std::string reports = ReportsOf([&] {
        world.TriggerEnter(second, player, {});
        world.Steps(148);
    });
    EXPECT_TRUE(reports.empty()) << reports;
    EXPECT_FALSE(second.Get<FakeCollider>().enabled);
    EXPECT_EQ(world.factory.destroyed, std::vector<std::string>{"ankhdoor"}) << "the twin stays";
    const std::vector<std::string> played = world.audio.PlayedNames();
    EXPECT_EQ(std::count(played.begin(), played.end(), "sfx_DoorCrumble"), 2) << "from the first pickup only";
}

TEST_F(PickupTest, AScarabUnlocksBlinkAndMeleeForThePlayerOnly)
{
    world.Attach<Scarab>(pickup);
    world.Step();
    world.TriggerStay(pickup, crate, {});
    EXPECT_EQ(PlayerPref::GetInt("unlockedBlink"), 0);
    EXPECT_FALSE(pickup.destroyed);

    world.TriggerStay(pickup, player, {});
    EXPECT_EQ(PlayerPref::GetInt("unlockedBlink"), 1);
    EXPECT_EQ(PlayerPref::GetInt("unlockedMelee"), 1);
    EXPECT_TRUE(pickup.destroyed);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_ItemPickUp"));
}
} // namespace
