#pragma once
#include <cstdint>

#include "script.h"

class AnimatorInterface;
class ParticleSystem;
class TransformInterface;

// What both turrets keep while they run.
struct TurretFields
{
    TransformInterface* transform = nullptr;
    AnimatorInterface* animator = nullptr;
    TransformInterface* playerTransform = nullptr;
    std::uint64_t projectilePrefabId = 0;
    Vector3 homePosition;
    float rangeSquared = 0.0f;
    float shotTimer = 0.0f;
};

// Stationary enemy shooting ice projectiles along its facing.
class Turret : public Script<Turret>, public TurretFields
{
    SCRIPT_WITH_PROPERTIES(Turret)

    float range = 0.0f;
    float timeBetweenShots = 0.0f;

    // May be absent.
    ParticleSystem* particles = nullptr;
    bool charging = false;
};
