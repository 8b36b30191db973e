#pragma once
#include "script.h"

// The exit of a level.
class LevelSwitcher : public Script<LevelSwitcher>
{
public:
    bool triggered = false;
    float timer = 0.0f;
};
