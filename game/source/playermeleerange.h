#pragma once
#include <cstdint>

#include "script.h"

class TransformInterface;
class CameraScript;

// The player's melee hit box.
class PlayerMeleeRange : public Script<PlayerMeleeRange>
{
public:
    void Reload() override;
    void Start() override;
    // Follows the player's front until its lifetime is over.
    void Update() override;
    // Hits enemies, breakable objects and boss switches, each by the tags it carries.
    void OnTriggerEnter(GameObjectInterface* other) override;
    using MonoBehaviorInterface::OnTriggerEnter;

    TransformInterface* transform = nullptr;
    TransformInterface* playerTransform = nullptr;
    CameraScript* cameraScript = nullptr;
    std::uint64_t hitEffectPrefabId = 0;
    float knockbackForce = 150.0f;
    // Seconds left.
    float lifetime = 0.1f;

private:
    void HitEnemy(const GameObjectInterface& enemy);
    static void HitObject(const GameObjectInterface& object);
    void SpawnHitEffect(const GameObjectInterface& target) const;
};
