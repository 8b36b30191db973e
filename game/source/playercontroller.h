#pragma once

#include "script.h"

// The player: movement, state machine, actions, damage and respawn.
class PlayerController : public Script<PlayerController>
{
};
