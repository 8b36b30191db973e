#pragma once
#include <cstdint>

#include "script.h"

class TransformInterface;

// The skeleton door: rises out of the way once no skeleton enemy is left.
class Seg3Door : public Script<Seg3Door>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;

    TransformInterface* transform = nullptr;
    float riseTime = 1.5f;
    std::int32_t enemiesLeft = 0;
};
