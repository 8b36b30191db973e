#include "fakeenemies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
using ::testing::ElementsAre;

// A torch with its light, its wall and the camera.
struct TorchWorld
{
    explicit TorchWorld(const std::string& torchName = "Standing Torch 1")
        : torch(world.Object(torchName)), number(torchName.empty() ? "" : torchName.substr(torchName.size() - 1))
    {
        torch.Add<FakeCollider>();
        world.Attach<CameraScript>(world.Object("Camera")).state = ScriptState::Disabled;
    }

    // The light, off and dark, with the parts the fire turns on.
    FakeObject& AddLight()
    {
        FakeObject& light = world.Object("Standing Torch light " + number);
        auto& lamp = light.Add<FakeLight>();
        lamp.enabled = false;
        lamp.intensity = 0.0f;
        light.Add<FakeMeshFilter>().enabled = false;
        light.Add<FakeAudioSource>();
        light.Add<FakeParticleSystem>().Play();
        return light;
    }
    FakeObject& AddWall()
    {
        FakeObject& wall = world.Object("BreakableWall " + number);
        wall.Place({0, 0, 7});
        wall.Add<FakeAnimator>();
        wall.Add<FakeCollider>();
        wall.Add<FakeMeshRenderer>();
        return wall;
    }
    // An enemy or projectile of that name running into the torch.
    FakeObject& Hit(const std::string& name)
    {
        FakeObject& other = world.Prefab(name);
        world.CollisionEnter(torch, other, {});
        return other;
    }
    CameraScript& Camera() const
    {
        return dynamic_cast<CameraScript&>(*world.factory.FindObject("Camera")->FindScript("CameraScript"));
    }

    FakeWorld world;
    FakeObject& torch;
    std::string number;
    StandingTorch& script = world.Attach<StandingTorch>(torch);
};

TEST(StandingTorch, FireLightsTheTorchAndBreaksItsWallOnceTheLightIsBrightEnough)
{
    const std::pair<const char*, int> torches[] = {
        {"Standing Torch 1", 1}, {"Standing Torch 2", 2}, {"Standing Torch 3", 1}, {"Standing Torch 9", 1}};
    for (const auto& [name, hits] : torches)
    {
        TorchWorld scene(name);
        FakeObject& light = scene.AddLight();
        FakeObject& wall = scene.AddWall();
        scene.world.Step();
        EXPECT_TRUE(light.Get<FakeParticleSystem>().stopped);

        for (int hit = 1; hit < hits; ++hit)
            scene.Hit("FireElemNew0");
        EXPECT_TRUE(wall.Get<FakeAnimator>().played.empty()) << name;
        FakeEnemy& elem = AddFakeEnemy(scene.world.Prefab("FireElemNew1"), 3, 3);
        scene.world.CollisionEnter(scene.torch, *scene.world.factory.FindPrefab("FireElemNew1"), {});
        EXPECT_EQ(elem.health, 0);

        EXPECT_TRUE(light.Get<FakeLight>().enabled);
        EXPECT_EQ(light.Get<FakeLight>().intensity, static_cast<float>(hits)) << name;
        EXPECT_TRUE(light.Get<FakeMeshFilter>().enabled);
        EXPECT_EQ(light.Get<FakeAudioSource>().clip, "sfx_fire");
        EXPECT_EQ(light.Get<FakeAudioSource>().plays, hits);
        EXPECT_TRUE(light.Get<FakeParticleSystem>().playing);

        EXPECT_THAT(wall.Get<FakeAnimator>().played, ElementsAre("Break")) << name;
        EXPECT_TRUE(wall.Get<FakeCollider>().trigger);
        ASSERT_EQ(scene.world.audio.played.size(), 1u);
        EXPECT_EQ(scene.world.audio.played[0].name, "sfx_DoorCrumble");
        EXPECT_EQ(scene.world.audio.played[0].volume, 1.0f);
        EXPECT_TRUE(scene.world.audio.played[0].position == Vector3(0, 0, 7));
        EXPECT_TRUE(scene.Camera().shakeRunning);
        EXPECT_EQ(scene.Camera().shakeStrength, 0.7f);
        EXPECT_EQ(scene.Camera().shakeTime, 0.5f);

        // The wall stays drawn for 2.45 s, then goes, and the torch stops colliding.
        scene.world.Steps(146);
        EXPECT_TRUE(wall.Get<FakeMeshRenderer>().enabled);
        scene.world.Steps(2);
        EXPECT_FALSE(wall.Get<FakeMeshRenderer>().enabled);
        EXPECT_FALSE(scene.torch.Get<FakeCollider>().enabled);
    }
}

TEST(StandingTorch, TheWallsShakeAddsToAShakeAsStrongAndReplacesAWeakerOne)
{
    const struct
    {
        bool running;
        float strength;
        float time;
        float strengthAfter;
        float timeAfter;
    } cases[] = {{true, 0.7f, 1.0f, 1.05f, 1.25f}, {true, 0.6f, 1.0f, 0.7f, 0.5f}, {false, 0.9f, 1.0f, 0.7f, 0.5f}};
    for (const auto& c : cases)
    {
        TorchWorld scene;
        scene.AddLight();
        scene.AddWall();
        scene.world.Step();
        CameraScript& camera = scene.Camera();
        camera.shakeRunning = c.running;
        camera.shakeStrength = c.strength;
        camera.shakeTime = c.time;
        scene.Hit("FireElem");
        EXPECT_TRUE(camera.shakeRunning);
        EXPECT_FLOAT_EQ(camera.shakeStrength, c.strengthAfter);
        EXPECT_FLOAT_EQ(camera.shakeTime, c.timeAfter);
    }
}

// The temple: a torch whose level-2 light has three steps of brightness, and the bridge.
struct TempleWorld : TorchWorld
{
    TempleWorld()
    {
        world.Object("Temple");
        levelTwo.Add<FakeLight>().intensity = 3.0f;
        bridge.Add<FakeMeshFilter>();
        bridge.Add<FakeAudioSource>();
        bridge.Add<FakeParticleSystem>();
        world.Object("Invis Wall");
        world.Step();
    }

    const std::string& Mesh() const { return bridge.Get<FakeMeshFilter>().meshName; }
    float Brightness() const { return levelTwo.Get<FakeLight>().intensity; }

    FakeObject& levelTwo = world.Object("Standing Torch light 1 Level 2");
    FakeObject& bridge = world.Object("Bridge");
    BridgeScript& bridgeScript = world.Attach<BridgeScript>(bridge);
};

TEST(StandingTorch, EachIceHitDimsTheLevelTwoLightAndBuildsOneBridgeStageForThreeSeconds)
{
    TempleWorld scene;
    EXPECT_EQ(scene.Mesh(), "bridge1");
    EXPECT_EQ(scene.bridge.Get<FakeAudioSource>().clip, "sfx_construction");
    const auto& audio = scene.bridge.Get<FakeAudioSource>();
    const auto& particles = scene.bridge.Get<FakeParticleSystem>();

    FakeObject& water = scene.world.Prefab("WaterElem2");
    FakeEnemy& elem = AddFakeEnemy(water, 3, 3);
    scene.world.CollisionEnter(scene.torch, water, {});
    EXPECT_EQ(elem.health, 0);
    EXPECT_FALSE(elem.active);

    const char* stages[] = {"bridge2", "bridge3", "bridge"};
    for (int stage = 0; stage < 3; ++stage)
    {
        if (stage > 0)
            scene.Hit("IceProjectile");
        EXPECT_EQ(scene.Brightness(), 2.0f - stage);
        scene.world.Steps(10);
        EXPECT_EQ(scene.Mesh(), stages[stage]);
        EXPECT_TRUE(particles.playing);
        const int plays = audio.plays;
        scene.world.Steps(10);
        EXPECT_EQ(audio.plays, plays + 10);
        scene.world.Steps(165);
        EXPECT_TRUE(particles.stopped) << stage;
        EXPECT_EQ(audio.stops, stage + 1);
    }
    EXPECT_TRUE(scene.world.factory.WasDestroyed("Invis Wall"));

    // The light is out: a fourth hit advances nothing, and a fourth advance builds nothing.
    scene.Hit("IceProjectile");
    EXPECT_EQ(scene.Brightness(), 0.0f);
    EXPECT_EQ(scene.bridgeScript.stage, 3);
    scene.bridgeScript.Advance();
    const int plays = audio.plays;
    scene.world.Steps(5);
    EXPECT_EQ(scene.Mesh(), "bridge");
    EXPECT_EQ(audio.plays, plays);
}

TEST(StandingTorch, AnIceProjectileTriggerCountsOnceButCollisionsEveryTime)
{
    TempleWorld scene;
    FakeObject& shot = scene.world.Prefab("IceProjectile");
    scene.world.TriggerEnter(scene.torch, scene.world.Prefab("Rock"), {});
    EXPECT_EQ(scene.Brightness(), 3.0f);
    scene.world.TriggerEnter(scene.torch, shot, {});
    scene.world.TriggerEnter(scene.torch, shot, {});
    EXPECT_EQ(scene.Brightness(), 2.0f);
    EXPECT_TRUE(scene.script.spent);
    scene.world.CollisionEnter(scene.torch, shot, {});
    scene.world.CollisionEnter(scene.torch, shot, {});
    EXPECT_EQ(scene.Brightness(), 0.0f);
}

TEST(StandingTorch, TheSecondLevelTwoTorchBuildsBridgeOneForThreeSeconds)
{
    TorchWorld scene("Standing Torch Level 2 2");
    FakeObject& bridge = scene.world.Object("Bridge 1");
    bridge.Add<FakeMeshFilter>().meshName = "rubble";
    auto& audio = bridge.Add<FakeAudioSource>();
    auto& particles = bridge.Add<FakeParticleSystem>();
    particles.Play();
    FakeObject& barrier = scene.world.Object("Bridge col 1");
    scene.world.Step();
    EXPECT_TRUE(particles.stopped);
    EXPECT_EQ(audio.clip, "sfx_construction");

    scene.Hit("IceProjectile");
    EXPECT_EQ(bridge.Get<FakeMeshFilter>().meshName, "bridge");
    EXPECT_TRUE(particles.playing);
    EXPECT_EQ(audio.plays, 1);
    EXPECT_FALSE(barrier.active);
    scene.world.Steps(178);
    EXPECT_TRUE(particles.playing);
    scene.world.Steps(4);
    EXPECT_TRUE(particles.stopped);
    EXPECT_EQ(audio.stops, 1);
    EXPECT_FALSE(scene.script.bridgeBuilding);
}

TEST(StandingTorch, ALevelMissingEveryPartnerRunsOn)
{
    for (const char* name : {"Standing Torch 1", ""})
    {
        FakeWorld world;
        FakeObject& torch = world.Object(name);
        world.Attach<StandingTorch>(torch);
        EXPECT_EQ(CountOf(ReportsOf([&] { world.Step(); }), "Camera"), 1);
        const std::string reports = ReportsOf([&] {
            for (const char* other : {"FireElem", "WaterElem", "IceProjectile"})
            {
                world.CollisionEnter(torch, world.Prefab(other), {});
                world.TriggerEnter(torch, world.Prefab(other), {});
            }
            world.Steps(200);
        });
        EXPECT_EQ(CountOf(reports, "Standing Torch light"), 1);
    }

    FakeWorld world;
    auto& bridge = world.Attach<BridgeScript>(world.Object("Span"));
    FakeObject& target = world.Object("Target");
    world.Attach<TargetSwitch>(target).bridgeName_ = "Nowhere";
    const std::string reports = ReportsOf([&] {
        world.Step();
        bridge.Advance();
        world.Steps(200);
    });
    EXPECT_EQ(CountOf(reports, "\"Bridge\""), 1);
    EXPECT_EQ(CountOf(reports, "Nowhere"), 1);
}

TEST(TargetSwitch, RecordsAHitByAnythingCarryingAnIceProjectileScript)
{
    FakeWorld world;
    world.Attach<BridgeScript>(world.Object("Bridge"));
    FakeObject& body = world.Object("Target");
    auto& target = world.Attach<TargetSwitch>(body);
    target.bridgeName_ = "Bridge";
    world.Step();
    EXPECT_NE(target.bridgeScript, nullptr);

    world.TriggerEnter(body, world.Prefab("IceProjectile"), {});
    EXPECT_FALSE(target.hit);
    FakeObject& shot = world.Prefab("Shard");
    world.Attach<IceProjectile>(shot);
    world.TriggerEnter(body, shot, {});
    EXPECT_TRUE(target.hit);
}
} // namespace
