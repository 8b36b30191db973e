#pragma once

#include "script.h"

// Checkpoint the player respawns at.
class CheckPoint : public Script<CheckPoint>
{
};
