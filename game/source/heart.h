#pragma once

#include "script.h"

// Pickup that gives the player a heart.
class Heart : public Script<Heart>
{
};
