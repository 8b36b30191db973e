#pragma once

#include "script.h"

// Enemy wall that clears when its enemies are gone.
class ClearEnemyWall : public Script<ClearEnemyWall>
{
};
