#pragma once

#include "script.h"

// Rolling credits.
class CreditsRolling : public Script<CreditsRolling>
{
    SCRIPT_WITH_PROPERTIES(CreditsRolling)

    float speed = 0.0f;
};
