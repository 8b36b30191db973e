#pragma once
#include "script.h"

// Removes its object after a time.
class DestroyAfterSeconds : public Script<DestroyAfterSeconds>
{
    SCRIPT_WITH_PROPERTIES(DestroyAfterSeconds)

    float timer = 0.0f;
};
