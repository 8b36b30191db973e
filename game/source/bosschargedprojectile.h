#pragma once
#include "script.h"

class GameObjectInterface;

// The boss's charged projectile.
class BossChargedProjectile : public Script<BossChargedProjectile>
{
public:
    GameObjectInterface* greenScreen = nullptr;
    float lifetime = 2.0f;
    float lifetimeLength = 2.0f;
    float speed = 120.0f;
    Vector3 fullScale;
    // Set by the boss.
    Vector3 direction;
};
