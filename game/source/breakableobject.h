#pragma once
#include <cstdint>

#include "script.h"

class AnimatorInterface;

// Object that breaks after a number of hits.
class BreakableObject : public Script<BreakableObject>
{
    SCRIPT_WITH_PROPERTIES(BreakableObject)

    void Reload() override;
    void Start() override;
    // Goes away once broken and its break state has played; the key T hits it (a debug shortcut).
    void Update() override;
    // One melee hit; a broken object ignores it.
    void Hit();

    // Hits still to take; counts down as they land.
    int hits = 0;

    AnimatorInterface* animator = nullptr;
    std::uint64_t dustPrefab = 0;
    float vanishDelay = 1.0f;
    bool broken = false;

private:
    void Break();
};
