#pragma once
#include "script.h"

// Enemy wall that clears once no bone enemy is left.
class ClearEnemyWallNotHC : public Script<ClearEnemyWallNotHC>
{
};
