#pragma once
#include <cstdint>

#include "script.h"

class AnimatorInterface;

// Object that breaks after a number of hits.
class BreakableObject : public Script<BreakableObject>
{
    SCRIPT_WITH_PROPERTIES(BreakableObject)

    int hits = 0;

    AnimatorInterface* animator = nullptr;
    std::uint64_t dustPrefab = 0;
    float vanishDelay = 1.0f;
    bool broken = false;
};
