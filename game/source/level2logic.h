#pragma once

#include "script.h"

// One-off event of the second level.
class Level2Logic : public Script<Level2Logic>
{
};
