#pragma once
#include "script.h"

// Enemy wall that clears once no bone enemy is left, spawned ones included.
class ClearEnemyWallNotHC : public Script<ClearEnemyWallNotHC>
{
public:
    void Update() override;
};
