#pragma once

#include "script.h"

// Enemy that charges at the player.
class ChargingEnemy : public Script<ChargingEnemy>
{
    SCRIPT_WITH_PROPERTIES(ChargingEnemy)

    float chargingDist_ = 0.0f;
    float chargingSpeed_ = 0.0f;
    float maxTimer = 0.0f;
    float timeTillRespawn_ = 0.0f;
};
