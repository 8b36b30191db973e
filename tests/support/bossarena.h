#pragma once
// The boss arena in the fake world: the player off the boss's line of fire, the camera, the boss with the
// prefabs it and its switches and controller make, and the objects the controller looks up. The player's
// and the camera's scripts are there to be found and written, not run: a test sets the player's state
// itself and reads the shake fields as the boss left them.
#include "fakeworld.h"

#include <string>
#include <vector>

class BossArena
{
public:
    static constexpr float kRange = 60.0f;
    // Loaded at a yaw that is not a multiple of 180, so a mirrored facing shows.
    static constexpr float kBossYaw = 30.0f;
    static inline const Vector3 kPlayerStart{20.0f, 0.0f, -20.0f};

    BossArena()
        : player(world.Object("Player", "Player")),
          playerController(world.Attach<PlayerController>(player)),
          camera(world.Object("Camera")),
          cameraScript(world.Attach<CameraScript>(camera)),
          boss(world.Object("FinalBoss", "FinalBoss")),
          bossScript(world.Attach<BossBehaviour>(boss))
    {
        player.Place(kPlayerStart);
        playerController.state = ScriptState::Disabled;
        cameraScript.state = ScriptState::Disabled;
        boss.Place({}, {0.0f, kBossYaw, 0.0f});
        boss.Add<FakeAnimator>();
        boss.Add<FakeParticleSystem>();
        bossScript.range_ = kRange;
        MakePrefabs();
    }

    // The level controller and the objects it finishes the fight with.
    BossLevelController& AddController()
    {
        FadeInFadeOut& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
        fade.duration = 1.5f;
        fade.state = ScriptState::Disabled;
        world.Object("Special Cutscene Trigger").Place({0.0f, -50.0f, 0.0f});
        world.Object("Final Cutscene Trigger").Place({0.0f, -50.0f, 0.0f});
        return world.Attach<BossLevelController>(world.Object("BossArena"));
    }

    // A pylon at the position, facing nowhere in particular.
    FakeObject& AddSwitch(const std::string& name, const Vector3& position)
    {
        FakeObject& pylon = world.Object(name, "BossSwitch");
        pylon.Place(position);
        pylon.Add<FakeAnimator>();
        pylon.Add<FakeParticleSystem>().emissionRate = 10;
        pylon.Add<FakeMeshRenderer>(std::vector<std::string>{"stone"});
        world.Attach<BossSwitch>(pylon);
        return pylon;
    }

    BossSwitch& SwitchOf(FakeObject& pylon) { return dynamic_cast<BossSwitch&>(*pylon.FindScript("BossSwitch")); }

    FakeWorld world;
    FakeObject& player;
    PlayerController& playerController;
    FakeObject& camera;
    CameraScript& cameraScript;
    FakeObject& boss;
    BossBehaviour& bossScript;

private:
    void MakePrefabs()
    {
        world.Prefab("IceProjectile").Add(FakeCollider::Sphere(1.0f));
        FakeObject& beam = world.Prefab("BeamProjectile");
        beam.Place({}, {}, {1.0f, 1.0f, 40.0f});
        FakeCollider box = FakeCollider::Box({1.0f, 1.0f, 1.0f});
        box.trigger = true;
        beam.Add(box);
        beam.Add<FakeRigidBody>().gravityScale = 0.0f;
        world.Attach<BossChargedProjectile>(beam);
        FakeObject& telegraph = world.Prefab("BeamProjectileFeedback");
        telegraph.Place({}, {}, {1.0f, 2.8f, 40.0f});
        telegraph.Add<FakeMeshRenderer>(std::vector<std::string>{"redalpha"}).alpha = 0.01f;
        world.Prefab("PuzzleBomb");
        world.Prefab("Green Burst");
        FakeObject& stampeder = world.Prefab("Bone Stampeder Custom");
        world.Attach<ChargingEnemy>(stampeder);
        world.Attach<DestroyAfterSeconds>(stampeder);
        world.Prefab("ParticlesPillarToWrapling");
        FakeRigidBody& mirrorBody = world.Prefab("Mirror").Add<FakeRigidBody>();
        mirrorBody.isStatic = true;
        mirrorBody.mass = FakeRigidBody::kStaticMass;
        world.Prefab("PillarShield").Add<FakeMeshFilter>();
    }
};
