#pragma once

#include "script.h"

// Switch that hurts the boss.
class BossSwitch : public Script<BossSwitch>
{
    SCRIPT_WITH_PROPERTIES(BossSwitch)

    int healthMax_ = 0;
};
