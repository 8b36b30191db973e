#pragma once
#include "script.h"

// Pickup that gives the player a heart.
class Heart : public Script<Heart>
{
public:
    float spinAngle = 0.0f;
};
