#include "fakeenemies.h"

#include <gtest/gtest.h>

namespace
{
struct ProjectileWorld
{
    ProjectileWorld()
    {
        impact.Add<FakeRigidBody>();
        world.Attach<DestroyAfterSeconds>(impact);
        shot.Place({1, 2, 3}, {0, 90, 0});
        shot.Add<FakeRigidBody>();
        projectile = &world.Attach<IceProjectile>(shot);
        world.Step();
    }

    bool Gone() const { return world.factory.WasDestroyed("IceProjectile"); }
    std::vector<FakeObject*> Impacts() const { return world.factory.LiveNamed("Impact Effect"); }

    FakeWorld world;
    FakeObject& impact = world.Prefab("Impact Effect");
    FakeObject& shot = world.Object("IceProjectile", "IceProjectile");
    IceProjectile* projectile = nullptr;
};

TEST(IceProjectile, IsPushedOnceAlongItsFacingAndGoesFiveSecondsAfterItsFirstUpdate)
{
    ProjectileWorld scene;
    const auto& forces = scene.shot.Get<FakeRigidBody>().addedForces;
    ASSERT_EQ(forces.size(), 1u);
    EXPECT_TRUE(forces[0] == scene.shot.transform.GetForward() * 1000.0f);

    scene.world.Steps(298);
    EXPECT_FALSE(scene.Gone());
    EXPECT_EQ(forces.size(), 1u);
    scene.world.Steps(3);
    EXPECT_TRUE(scene.Gone());
}

TEST(IceProjectile, EveryTriggerBurstsAndOnlyThePlayerAndStrangersStopIt)
{
    struct Case
    {
        const char* tag;
        const char* script;
        bool stops;
    };
    const Case cases[] = {
        {"Player", "", true},          {"MainPlayer", "", true},        {"BossBomb", "", false},
        {"FinalBoss", "", false},      {"IceProjectileBoss", "", false}, {"", "Turret", false},
        {"", "TurretFollowing", false}, {"", "BossBehaviour", false},     {"", "ChargingEnemy", false},
        {"Ground", "", true},          {"Turret", "", true},
    };
    for (const Case& c : cases)
    {
        ProjectileWorld scene;
        scene.shot.Place({4, 5, 6});
        FakeObject& other = scene.world.Prefab("Other");
        other.tag = c.tag;
        if (*c.script)
            scene.world.Attach(other, c.script);

        scene.world.TriggerEnter(scene.shot, other, {});
        EXPECT_EQ(scene.Gone(), c.stops) << c.tag << c.script;
        const auto impacts = scene.Impacts();
        ASSERT_EQ(impacts.size(), 1u) << c.tag << c.script;
        EXPECT_TRUE(impacts[0]->transform.GetPosition() == Vector3(4, 5, 6));
        EXPECT_EQ(dynamic_cast<DestroyAfterSeconds&>(*impacts[0]->FindScript("DestroyAfterSeconds")).timer, 1.0f);
        EXPECT_EQ(scene.world.factory.registered.back(), "Impact Effect");
    }
}

TEST(IceProjectile, HurtsThePlayerOnceByTriggerOrCollision)
{
    for (const bool trigger : {true, false})
    {
        ProjectileWorld scene;
        FakePlayerLevel level{scene.world};
        scene.world.Step();
        const int health = PlayerStats::GetCurrHealth();
        if (trigger)
            scene.world.TriggerEnter(scene.shot, level.player, {});
        else
            scene.world.CollisionEnter(scene.shot, level.player, {});
        EXPECT_EQ(level.controller.playerState, PlayerController::kDead) << trigger;
        EXPECT_EQ(PlayerStats::GetCurrHealth(), health - 1) << trigger;
        EXPECT_TRUE(scene.Gone());
        EXPECT_EQ(scene.Impacts().size(), trigger ? 1u : 0u);
    }
}

TEST(IceProjectile, ACollisionStopsItOnlyOnThePlayer)
{
    ProjectileWorld scene;
    FakeObject& wall = scene.world.Prefab("Wall");
    wall.tag = "Ground";
    scene.world.CollisionEnter(scene.shot, wall, {});
    EXPECT_FALSE(scene.Gone());
    EXPECT_TRUE(scene.Impacts().empty());

    FakeObject& player = scene.world.Prefab("Player");
    player.tag = "Player";
    scene.world.CollisionEnter(scene.shot, player, {});
    EXPECT_TRUE(scene.Gone());
    EXPECT_TRUE(scene.Impacts().empty());
}

TEST(IceProjectile, WithoutItsImpactPrefabSaysSoOnceAndBurstsIntoNothing)
{
    FakeWorld world;
    FakeObject& shot = world.Object("IceProjectile");
    world.Attach<IceProjectile>(shot);
    EXPECT_EQ(CountOf(ReportsOf([&] { world.Steps(3); }), "Impact Effect"), 1);

    FakeObject& wall = world.Prefab("Wall");
    world.TriggerEnter(shot, wall, {});
    EXPECT_TRUE(world.factory.instantiated.empty());
    EXPECT_TRUE(world.factory.WasDestroyed("IceProjectile"));
}
} // namespace
