#pragma once
#include "script.h"

class AnimatorInterface;
class ParticleSystem;

// Floor that crumbles under the player and may come back.
class CrumblingFloor : public Script<CrumblingFloor>
{
    SCRIPT_WITH_PROPERTIES(CrumblingFloor)

    float timer = 0.5f;
    bool rewind = false;
    float rewindTime = 0.0f;

    AnimatorInterface* animator = nullptr;
    ParticleSystem* particles = nullptr;
    float startTimer = 0.0f;
    bool triggered = false;
    bool crumbled = false;
    bool soundPlayed = false;
    float breakDelay = 0.2f;
};
