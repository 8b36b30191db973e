#pragma once

#include "script.h"

// The final boss.
class BossBehaviour : public Script<BossBehaviour>
{
    SCRIPT_WITH_PROPERTIES(BossBehaviour)

    float range_ = 0.0f;
    float timeBetweenShots_ = 0.0f;
    float chargeUpTime_ = 0.0f;
};
