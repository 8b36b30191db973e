#pragma once

#include "script.h"

// The player's hearts and blink charges on screen.
class PlayerStats : public Script<PlayerStats>
{
};
