#pragma once
#include <cstdint>

#include "script.h"

// One-off event of the second level: a fire element comes once the fire wall is gone.
class Level2Logic : public Script<Level2Logic>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;

    std::uint64_t fireWallId = 0;
    bool done = false;
};
