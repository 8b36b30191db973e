#include "fakeworld.h"

#include "scripthelpers.h"
#include "scriptlookup.h"

#include <gtest/gtest.h>

namespace
{
TEST(DestroyAfterSeconds, ATimerOfZeroOrLessDestroysOnTheFirstUpdateALaterOneWhenItRunsOut)
{
    struct Case
    {
        float timer;
        int stepsKept;
    };
    for (const Case& c : {Case{0.0f, 0}, Case{-1.0f, 0}, Case{0.1f, 5}, Case{0.5f, 29}})
    {
        FakeWorld world;
        FakeObject& effect = world.Object("Effect");
        world.Attach<DestroyAfterSeconds>(effect).timer = c.timer;
        world.Steps(c.stepsKept);
        EXPECT_FALSE(effect.destroyed) << c.timer;
        world.Steps(2);
        EXPECT_TRUE(world.factory.WasDestroyed("Effect")) << c.timer;
    }
}

TEST(DestroyAfterSeconds, SpawnMakesARegisteredTimedInstanceAndNothingForAMissingPrefab)
{
    FakeWorld world;
    world.Attach<DestroyAfterSeconds>(world.Prefab("Spark"));
    std::string reports = ReportsOf([&] {
        const ObjectId spark = PrefabId("Tester", "Spark");
        GameObjectInterface* made = DestroyAfterSeconds::Spawn(spark, "Sparkle", {1.0f, 2.0f, 3.0f}, 0.26f);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->GetTransform()->GetPosition(), Vector3(1.0f, 2.0f, 3.0f));
        EXPECT_FLOAT_EQ(ScriptOf<DestroyAfterSeconds>(made)->timer, 0.26f);
    });
    EXPECT_TRUE(reports.empty()) << reports;
    EXPECT_EQ(world.factory.registered, std::vector<std::string>{"Sparkle"});

    reports = ReportsOf([&] {
        const ObjectId missing = PrefabId("Tester", "Smoke");
        EXPECT_EQ(missing, 0u);
        EXPECT_EQ(DestroyAfterSeconds::Spawn(missing, "Smoke", {}, 1.0f), nullptr);
    });
    EXPECT_EQ(CountOf(reports, "Tester"), 1);
    EXPECT_EQ(CountOf(reports, "\"Smoke\""), 1);
    EXPECT_EQ(world.factory.instantiated.size(), 1u);
}

class DisappearingActTest : public ::testing::Test
{
protected:
    DisappearingActTest()
    {
        act.Place({0.0f, 0.0f, 0.0f});
        player.Place({63.3f, 0.0f, 0.0f});
    }

    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    FakeObject& light = world.Object("light123");
    FakeObject& act = world.Object("Ruin");
    DisappearingAct& script = world.Attach<DisappearingAct>(act);
};

TEST_F(DisappearingActTest, TheLightThenTheObjectGoOnceThePlayerIsNearerThanTheRootOf4000)
{
    world.Steps(3);
    EXPECT_TRUE(world.factory.destroyed.empty());
    player.transform.SetPosition({0.0f, 0.0f, 63.2f});
    world.Step();
    EXPECT_EQ(world.factory.destroyed, (std::vector<std::string>{"light123", "Ruin"}));
}

TEST_F(DisappearingActTest, ASecondActSharingTheLightRemovesOnlyItselfOnceTheLightIsGone)
{
    FakeObject& second = world.Object("Far Ruin");
    second.Place({200.0f, 0.0f, 0.0f});
    world.Attach<DisappearingAct>(second);
    player.transform.SetPosition({0.0f, 0.0f, 10.0f});
    world.Step();
    player.transform.SetPosition({200.0f, 0.0f, 10.0f});
    const std::string reports = ReportsOf([&] { world.Steps(2); });
    EXPECT_TRUE(reports.empty()) << reports;
    EXPECT_EQ(world.factory.destroyed, (std::vector<std::string>{"light123", "Ruin", "Far Ruin"}));
}

TEST_F(DisappearingActTest, AReloadedScriptStillWatchesThePlayer)
{
    world.Step();
    world.HotReload();
    player.transform.SetPosition({10.0f, 0.0f, 0.0f});
    world.Step();
    EXPECT_TRUE(world.factory.WasDestroyed("Ruin"));
}

TEST(DisappearingActAlone, WithoutPlayerItReportsAndStaysWithoutLightItGoesAlone)
{
    {
        FakeWorld world;
        FakeObject& act = world.Object("Ruin");
        world.Attach<DisappearingAct>(act);
        EXPECT_EQ(CountOf(ReportsOf([&] { world.Steps(2); }), "\"Player\""), 1);
        EXPECT_FALSE(act.destroyed);
    }
    FakeWorld world;
    world.Object("Player");
    world.Attach<DisappearingAct>(world.Object("Ruin"));
    world.Step();
    EXPECT_EQ(world.factory.destroyed, std::vector<std::string>{"Ruin"});
}
} // namespace
