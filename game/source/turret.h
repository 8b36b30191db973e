#pragma once

#include "script.h"

// Stationary enemy shooting ice projectiles along its facing.
class Turret : public Script<Turret>
{
    SCRIPT_WITH_PROPERTIES(Turret)

    float range = 0.0f;
    float timeBetweenShots = 0.0f;
};
