#pragma once
#include <cstdint>

#include "script.h"

// One-off event of the second level.
class Level2Logic : public Script<Level2Logic>
{
public:
    std::uint64_t fireWallId = 0;
    bool done = false;
};
