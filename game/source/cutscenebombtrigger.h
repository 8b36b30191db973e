#pragma once
#include "script.h"

// Arms the tutorial bomb after the player walks in.
class CutsceneBombTrigger : public Script<CutsceneBombTrigger>
{
public:
    bool triggered = false;
    float delay = 0.0f;
    float elapsed = 0.0f;
};
