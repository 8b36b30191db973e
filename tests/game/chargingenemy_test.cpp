#include "fakeenemies.h"

#include <gtest/gtest.h>

namespace
{
struct ChargerWorld
{
    explicit ChargerWorld(float timeTillRespawn = 1.0f)
    {
        player.Place({50, 0, 0});
        body.Place({0, 0, 0}, {0, 90, 0});
        charger.chargingDist_ = 10.0f;
        charger.chargingSpeed_ = 5.0f;
        charger.timeTillRespawn_ = timeTillRespawn;
        world.Step();
    }

    bool Hidden() const { return !body.Get<FakeMeshFilter>().enabled; }
    void RunOff() { body.transform.SetPosition(body.transform.GetForward() * 10.5f); }

    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    FakeObject& body = world.Object("Charger");
    FakeRigidBody& rigidBody = body.Add<FakeRigidBody>();
    FakeParticleSystem& particles = body.Add<FakeParticleSystem>();
    FakeMeshFilter& mesh = body.Add<FakeMeshFilter>();
    ChargingEnemy& charger = world.Attach<ChargingEnemy>(body);
};

TEST(ChargingEnemy, ChargesVanishesBeyondItsDistanceAndComesBackHomeAfterItsWait)
{
    ChargerWorld scene;
    const Vector3 charge = scene.body.transform.GetForward() * 5.0f;
    EXPECT_TRUE(scene.rigidBody.LastVelocityRequest() == charge);

    scene.body.transform.SetPosition(scene.body.transform.GetForward() * 9.9f);
    scene.world.Step();
    EXPECT_FALSE(scene.Hidden());

    scene.RunOff();
    scene.world.Step();
    EXPECT_TRUE(scene.Hidden());
    EXPECT_TRUE(scene.rigidBody.LastVelocityRequest() == Vector3(0, 0, 0));
    EXPECT_TRUE(scene.particles.stopped);

    scene.world.Steps(58);
    EXPECT_TRUE(scene.Hidden());
    EXPECT_TRUE(scene.world.audio.played.empty());
    scene.world.Steps(3);
    EXPECT_FALSE(scene.Hidden());
    EXPECT_TRUE(scene.body.transform.GetPosition() == Vector3(0, 0, 0));
    EXPECT_TRUE(scene.rigidBody.LastVelocityRequest() == charge);
    EXPECT_TRUE(scene.particles.playing);
    ASSERT_EQ(scene.world.audio.played.size(), 1u);
    EXPECT_EQ(scene.world.audio.played[0].name, "sfx_chargerSpawn");
    EXPECT_EQ(scene.world.audio.played[0].volume, 0.1f);
}

TEST(ChargingEnemy, WithNoWaitItIsBackTheNextFrame)
{
    ChargerWorld scene(0.0f);
    scene.RunOff();
    scene.world.Step();
    EXPECT_TRUE(scene.Hidden());
    scene.world.Step();
    EXPECT_FALSE(scene.Hidden());
    EXPECT_TRUE(scene.body.transform.GetPosition() == Vector3(0, 0, 0));
}

TEST(ChargingEnemy, PushesOnlyAnObjectNamedPlayerAlongTheChargeEvenWhileHidden)
{
    ChargerWorld scene;
    FakeObject& stranger = scene.world.Prefab("Player2");
    stranger.tag = "Player";
    auto& strangerBody = stranger.Add<FakeRigidBody>();
    scene.world.TriggerEnter(scene.body, stranger, {});
    EXPECT_TRUE(strangerBody.addedForces.empty());

    scene.RunOff();
    scene.world.Step();
    ASSERT_TRUE(scene.Hidden());
    auto& playerBody = scene.player.Add<FakeRigidBody>();
    scene.world.TriggerEnter(scene.body, scene.player, {});
    ASSERT_EQ(playerBody.addedForces.size(), 1u);
    EXPECT_TRUE(playerBody.addedForces[0] == scene.body.transform.GetForward() * 300.0f);

    // A "Player" without a body or controller is left alone.
    FakeObject& bare = scene.world.Prefab("Player");
    scene.world.TriggerEnter(scene.body, bare, {});
}

TEST(ChargingEnemy, HurtsThePlayerItRunsInto)
{
    FakeWorld world;
    FakePlayerLevel level{world};
    FakeObject& body = world.Object("Charger");
    body.Place({0, 1, 5}, {0, 180, 0});
    world.Attach<ChargingEnemy>(body);
    world.Step();
    world.TriggerEnter(body, level.player, {});
    EXPECT_EQ(level.controller.playerState, PlayerController::kDead);
    ASSERT_FALSE(level.body.addedForces.empty());
    EXPECT_TRUE(level.body.addedForces.back() == body.transform.GetForward() * 300.0f);
}

TEST(ChargingEnemy, RumblesEveryFrameWhileThePlayerIsWithin10)
{
    ChargerWorld scene;
    scene.world.input.vibrations.clear();
    scene.player.transform.SetPosition({0, 0, 10.1f});
    scene.world.Step();
    EXPECT_TRUE(scene.world.input.vibrations.empty());

    scene.player.transform.SetPosition({0, 0, 9.9f});
    scene.world.Steps(3);
    ASSERT_EQ(scene.world.input.vibrations.size(), 3u);
    EXPECT_EQ(scene.world.input.vibrations[0].left, 0.8f);
    EXPECT_EQ(scene.world.input.vibrations[0].right, 0.8f);
    EXPECT_EQ(scene.world.input.vibrations[0].seconds, FakeWorld::kFrameTime);
}
} // namespace
