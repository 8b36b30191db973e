#pragma once
#include <cstdint>
#include <string>

#include "script.h"

class GameObjectInterface;

// Switch that hurts the boss.
class BossSwitch : public Script<BossSwitch>
{
    SCRIPT_WITH_PROPERTIES(BossSwitch)

    // One melee hit.
    void Hit();

    int healthMax_ = 0;

    GameObjectInterface* playerObject = nullptr;
    GameObjectInterface* bossObject = nullptr;
    GameObjectInterface* chains = nullptr;
    GameObjectInterface* mirror = nullptr;
    GameObjectInterface* shield = nullptr;
    std::int32_t health = 0;
    bool shieldDown = false;
    bool lastShieldDown = false;
    bool broken = false;
    float shieldTimer = 0.0f;
    float shieldTime = 8.0f;
    float blinkTimer = 0.0f;
    float blinkInterval = 0.2f;
    float flashTimer = 0.0f;
    float flashTime = 0.4f;
    bool flashing = false;
    float fadeTimer = 0.0f;
    float fadeTime = 8.0f;
    Vector3 restRotation;
    std::int32_t baseEmissionRate = 0;
    std::string baseMaterial;
};
