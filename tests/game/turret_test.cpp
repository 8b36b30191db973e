#include "fakeenemies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace
{
using ::testing::ElementsAre;

// A turret at the origin (or where placed) with range 100 and a shot every 0.5 s, and the player.
template <class Kind>
struct TurretWorld
{
    explicit TurretWorld(float yaw = 0.0f, const Vector3& playerAt = {0, 0, 5})
    {
        world.Prefab("IceProjectile").Add<FakeRigidBody>();
        player.Place(playerAt);
        body.Place({0, 0, 0}, {0, yaw, 0});
        body.Add<FakeAnimator>();
        turret.range = 100.0f;
        turret.timeBetweenShots = 0.5f;
    }

    std::vector<FakeObject*> Shots() const { return world.factory.LiveNamed("IceProjectile"); }

    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    FakeObject& body = world.Object("Turret");
    FakeParticleSystem& particles = body.Add<FakeParticleSystem>();
    Kind& turret = world.Attach<Kind>(body);
};

// The frame (counted from 1) in which the condition first held, or 0.
template <class Condition>
int FirstFrame(FakeWorld& world, int frames, Condition holds)
{
    for (int frame = 1; frame <= frames; ++frame)
    {
        world.Step();
        if (holds())
            return frame;
    }
    return 0;
}

TEST(Turret, FlashesAFifthOfASecondAheadAndFiresEveryPeriod)
{
    TurretWorld<Turret> scene;
    const int flash = FirstFrame(scene.world, 60, [&] { return scene.particles.playing; });
    EXPECT_NEAR(flash, 18, 1);
    EXPECT_TRUE(scene.Shots().empty());
    const int shot = flash + FirstFrame(scene.world, 60, [&] { return !scene.Shots().empty(); });
    EXPECT_NEAR(shot, 30, 1);
    EXPECT_FALSE(scene.turret.charging);

    const FakeObject& projectile = *scene.Shots().front();
    EXPECT_TRUE(projectile.transform.GetPosition() == Vector3(0, 0, 1.5f));
    EXPECT_THAT(scene.world.factory.registered, ElementsAre("IceProjectile"));
    EXPECT_THAT(scene.body.Get<FakeAnimator>().played, ElementsAre("Shoot"));
    ASSERT_EQ(scene.world.audio.played.size(), 1u);
    EXPECT_EQ(scene.world.audio.played[0].name, "sfx_TurretAttack");
    EXPECT_EQ(scene.world.audio.played[0].volume, 0.005f);

    // The next period flashes again before its shot.
    scene.particles.Stop();
    EXPECT_NEAR(FirstFrame(scene.world, 60, [&] { return scene.particles.playing; }), 18, 1);
    EXPECT_EQ(scene.Shots().size(), 1u);
}

TEST(Turret, ATimerThatRanUpOutOfRangeFlashesAndFiresInTheFirstFrameInRange)
{
    TurretWorld<Turret> scene(0.0f, {0, 0, 100.5f});
    scene.world.Steps(120);
    EXPECT_FALSE(scene.particles.playing);
    EXPECT_TRUE(scene.Shots().empty());

    scene.player.transform.SetPosition({0, 0, 99.5f});
    scene.world.Step();
    EXPECT_TRUE(scene.particles.playing);
    EXPECT_EQ(scene.Shots().size(), 1u);
}

TEST(Turret, MeasuresRangeAndPlacesShotsFromWhereItStoodAtStart)
{
    TurretWorld<Turret> scene;
    scene.world.Step();
    scene.body.transform.SetPosition({500, 0, 0});
    scene.world.Steps(40);
    ASSERT_EQ(scene.Shots().size(), 1u);
    EXPECT_TRUE(scene.Shots()[0]->transform.GetPosition() == Vector3(0, 0, 1.5f));
}

TEST(Turret, TheShotGetsTheMirroredYawUnlessItIsAMultipleOf180)
{
    const float yaws[][2] = {{90, -90}, {-45, 45}, {180, 180}, {0, 0}, {360, 360}, {270, -270}};
    for (const auto& [yaw, shotYaw] : yaws)
    {
        TurretWorld<Turret> scene(yaw);
        scene.world.Steps(31);
        ASSERT_EQ(scene.Shots().size(), 1u) << yaw;
        const FakeObject& shot = *scene.Shots()[0];
        EXPECT_EQ(shot.transform.GetRotation().y, shotYaw) << yaw;
        EXPECT_TRUE(shot.transform.GetPosition() == scene.body.transform.GetForward() * 1.5f) << yaw;
    }
}

TEST(Turret, WithoutItsPrefabOrThePlayerSaysSoOnceAndNeverFires)
{
    for (const char* missing : {"IceProjectile", "Player"})
    {
        FakeWorld world;
        world.Object(missing == std::string("Player") ? "Someone" : "Player").Place({0, 0, 5});
        if (missing != std::string("IceProjectile"))
            world.Prefab("IceProjectile");
        world.Attach<Turret>(world.Object("Turret")).range = 100.0f;

        const std::string reports = ReportsOf([&] { world.Steps(120); });
        EXPECT_EQ(CountOf(reports, missing), 1) << missing;
        EXPECT_TRUE(world.factory.instantiated.empty()) << missing;
        EXPECT_TRUE(world.audio.played.empty()) << missing;
    }
}

TEST(TurretFollowing, TurnsToThePlayerAndKeepsItsYawWhenThePlayerStandsOnIt)
{
    const Vector3 players[] = {{5, 0, 0}, {0, 3, 5}, {-5, 0, 0}, {0, 0, -5}, {3, 0, 3}};
    const float yaws[] = {-90, 0, 90, 180, -45};
    for (int at = 0; at < 5; ++at)
    {
        TurretWorld<TurretFollowing> scene(10.0f, players[at]);
        scene.world.Step();
        EXPECT_NEAR(scene.body.transform.GetRotation().y, yaws[at], 1e-4f) << at;
        EXPECT_EQ(scene.body.transform.GetRotation().x, 0.0f);
    }

    TurretWorld<TurretFollowing> scene(10.0f, {0, 0, 5});
    scene.world.Step();
    scene.player.transform.SetPosition({0, 0, 0});
    scene.world.Steps(40);
    EXPECT_EQ(scene.body.transform.GetRotation().y, 0.0f);
    EXPECT_TRUE(scene.body.transform.GetForward().IsFinite());
}

TEST(TurretFollowing, FiresAtOnceInRangeAfterItsTimerWentNegativeAndThenEveryPeriod)
{
    TurretWorld<TurretFollowing> scene(0.0f, {0, 0, 150});
    scene.world.Steps(60);
    EXPECT_TRUE(scene.Shots().empty());

    scene.player.transform.SetPosition({5, 0, 0});
    scene.world.Step();
    ASSERT_EQ(scene.Shots().size(), 1u);
    const FakeObject& shot = *scene.Shots()[0];
    EXPECT_TRUE(shot.transform.GetPosition() == scene.body.transform.GetForward());
    EXPECT_TRUE(shot.transform.GetRotation() == scene.body.transform.GetRotation());
    EXPECT_THAT(scene.body.Get<FakeAnimator>().played, ElementsAre("Shoot"));
    // It plays no sound.
    EXPECT_TRUE(scene.world.audio.played.empty());

    EXPECT_NEAR(FirstFrame(scene.world, 60, [&] { return scene.Shots().size() == 2; }), 30, 1);
}

TEST(TurretFollowing, ARangeOf0NeverFiresAndSaysSoOnce)
{
    TurretWorld<TurretFollowing> scene(0.0f, {0, 0, 0});
    scene.turret.range = 0.0f;
    testing::internal::CaptureStdout();
    scene.world.Steps(120);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Turret's range is set to 0, are you sure?\n");
    EXPECT_TRUE(scene.Shots().empty());
}
} // namespace
