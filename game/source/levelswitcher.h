#pragma once

#include "script.h"

// The exit of a level.
class LevelSwitcher : public Script<LevelSwitcher>
{
};
