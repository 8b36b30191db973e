#pragma once

#include "script.h"

// Standing torch lit or put out by the player.
class StandingTorch : public Script<StandingTorch>
{
};
