#pragma once

#include "script.h"

// Arms the tutorial bomb after the player walks in.
class CutsceneBombTrigger : public Script<CutsceneBombTrigger>
{
};
