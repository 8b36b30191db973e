#pragma once
#include <cstdint>

#include "script.h"

// Ice projectile fired by turrets.
class IceProjectile : public Script<IceProjectile>
{
public:
    bool launched = false;
    float lifetime = 5.0f;
    std::uint64_t impactPrefabId = 0;
};
