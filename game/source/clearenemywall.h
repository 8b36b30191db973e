#pragma once
#include <cstdint>
#include <vector>

#include "script.h"

// Enemy wall that clears when its enemies are gone.
class ClearEnemyWall : public Script<ClearEnemyWall>
{
public:
    // Ids of objects stored in the level file.
    std::vector<std::uint64_t> guardIds;
};
