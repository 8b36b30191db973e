#pragma once

#include "script.h"

// Floor that crumbles under the player and may come back.
class CrumblingFloor : public Script<CrumblingFloor>
{
    SCRIPT_WITH_PROPERTIES(CrumblingFloor)

    float timer = 0.5f;
    bool rewind = false;
    float rewindTime = 0.0f;
};
