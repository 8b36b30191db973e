#pragma once
#include <string>

#include "script.h"

// Target that records a hit by an ice projectile.
class TargetSwitch : public Script<TargetSwitch>
{
    SCRIPT_WITH_PROPERTIES(TargetSwitch)

    std::string bridgeName_;
};
