#pragma once

#include "script.h"

// Object that breaks after a number of hits.
class BreakableObject : public Script<BreakableObject>
{
    SCRIPT_WITH_PROPERTIES(BreakableObject)

    int hits = 0;
};
