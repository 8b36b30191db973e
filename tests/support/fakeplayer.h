#pragma once
// The player's level in the fake world: the objects and prefabs PlayerController, PlayerStats and
// CameraScript look for, each part optional so a test can leave one out.
//
//   FakeWorld world;
//   FakePlayerLevel level(world);                 // icons, prefabs, "Player", "Camera", a "Ground" floor
//   level.Ground();                               // the floor's contact from exactly above: grounded, IDLE
//   world.input.axes[1] = 1.0f; world.Step();
//   level.body.LastVelocityRequest(); level.controller.playerState; level.camera.transform.GetPosition();
#include "fakeworld.h"

#include <string>

struct FakePlayerParts
{
    bool icons = true;
    bool prefabs = true;
    bool stats = true;
    bool camera = true;
    // Heart icons in the level (the most a player can have is 10).
    int hearts = 10;
    int scarabs = 3;
    Vector3 position{0.0f, 1.0f, 0.0f};
    Vector3 degrees{};
};

// The HUD icons: images "Heart0".., "Scarab0".. with a rect transform, "ScarabRecharge0".., all hidden.
inline void AddHudIcons(FakeWorld& world, int hearts, int scarabs)
{
    const auto icon = [&world](const std::string& name) {
        FakeObject& object = world.Object(name);
        object.Add<FakeImage>().colour.w = 0.0f;
        object.Add<FakeRectTransform>();
    };
    for (int i = 0; i < hearts; ++i)
        icon("Heart" + std::to_string(i));
    for (int i = 0; i < scarabs; ++i)
    {
        icon("Scarab" + std::to_string(i));
        icon("ScarabRecharge" + std::to_string(i));
    }
}

// The plain prefabs the player's actions make; the range indicator has a mesh renderer.
inline void AddPlayerPrefabs(FakeWorld& world)
{
    for (const char* name : {"Melee", "Melee Feedback", "Blink Start", "Blink End", "Push Effect", "Pull Effect",
                             "Stun Effect", "Damage Effect", "Respawn Effect"})
        world.Prefab(name);
    world.Prefab("Range Indicator").Add<FakeMeshRenderer>(std::vector<std::string>{"Cube"});
}

class FakePlayerLevel
{
public:
    explicit FakePlayerLevel(FakeWorld& world, const FakePlayerParts& parts = {})
        : player(MakePlayer(world)), body(player.Get<FakeRigidBody>()),
          collider(player.Get<FakeCollider>()), animator(player.Get<FakeAnimator>()),
          audioSource(player.Get<FakeAudioSource>()), controller(world.Attach<PlayerController>(player)),
          stats(parts.stats ? &world.Attach<PlayerStats>(player) : nullptr),
          camera(parts.camera ? &MakeCamera(world) : nullptr),
          cameraScript(camera ? &world.Attach<CameraScript>(*camera) : nullptr), floor(world.Object("Floor", "Ground")),
          world_(world)
    {
        if (parts.icons)
            AddHudIcons(world, parts.hearts, parts.scarabs);
        if (parts.prefabs)
            AddPlayerPrefabs(world);
        player.Place(parts.position, parts.degrees);
    }

    // The floor's contact as the engine hands it to the player: box before capsule, normal straight up.
    void Ground() { world_.CollisionStay(player, floor, {{0.0f, 1.0f, 0.0f}, 0.01f}); }

    FakeObject& player;
    FakeRigidBody& body;
    FakeCollider& collider;
    FakeAnimator& animator;
    FakeAudioSource& audioSource;
    PlayerController& controller;
    PlayerStats* stats;
    FakeObject* camera;
    CameraScript* cameraScript;
    FakeObject& floor;

private:
    static FakeObject& MakePlayer(FakeWorld& world)
    {
        FakeObject& player = world.Object("Player", "Player");
        player.Add<FakeRigidBody>();
        player.Add(FakeCollider::Capsule(0.5f, 2.0f));
        player.Add<FakeAnimator>();
        player.Add<FakeAudioSource>();
        player.Add<FakeMeshRenderer>(std::vector<std::string>{"mainChar1"});
        player.Add<FakeLight>();
        return player;
    }
    static FakeObject& MakeCamera(FakeWorld& world)
    {
        FakeObject& camera = world.Object("Camera");
        camera.Add<FakeCamera>();
        return camera;
    }

    FakeWorld& world_;
};
