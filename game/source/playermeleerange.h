#pragma once
#include <cstdint>

#include "script.h"

class TransformInterface;
class CameraScript;

// The player's melee hit box.
class PlayerMeleeRange : public Script<PlayerMeleeRange>
{
public:
    TransformInterface* transform = nullptr;
    TransformInterface* playerTransform = nullptr;
    CameraScript* cameraScript = nullptr;
    std::uint64_t hitEffectPrefabId = 0;
    float knockbackForce = 0.0f;
    float lifetime = 0.0f;
};
