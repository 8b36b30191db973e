#pragma once
#include <cstdint>

#include "script.h"

class AnimatorInterface;
class GameObjectInterface;
class ParticleSystemInterface;
class TransformInterface;

// What both turrets keep while they run, and what they do alike.
struct TurretFields
{
    TransformInterface* transform = nullptr;
    AnimatorInterface* animator = nullptr;
    TransformInterface* playerTransform = nullptr;
    std::uint64_t projectilePrefabId = 0;
    Vector3 homePosition;
    float rangeSquared = 0.0f;
    float shotTimer = 0.0f;

protected:
    // Own parts, the player and the projectile prefab; missing ones are reported.
    void FindParts(const GameObjectInterface& self);
    // Measured from where the turret stood at Start.
    bool PlayerInRange() const;
    // A registered projectile that far along the facing, turned as given, and the "Shoot" animation; false,
    // and nothing, for a turret without its prefab.
    bool Fire(float distance, const Vector3& rotation);
};

// Stationary enemy shooting ice projectiles along its facing.
class Turret : public Script<Turret>, public TurretFields
{
    SCRIPT_WITH_PROPERTIES(Turret)

    void Reload() override;
    void Start() override;
    void Update() override;

    float range = 0.0f;
    float timeBetweenShots = 0.0f;

    // May be absent.
    ParticleSystemInterface* particles = nullptr;
    bool charging = false;

private:
    void Flash();
    void Shoot();
};
