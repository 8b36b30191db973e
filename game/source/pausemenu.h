#pragma once

#include "script.h"

// Pause menu.
class PauseMenu : public Script<PauseMenu>
{
};
