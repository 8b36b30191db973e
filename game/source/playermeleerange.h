#pragma once

#include "script.h"

// The player's melee hit box.
class PlayerMeleeRange : public Script<PlayerMeleeRange>
{
};
