#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "script.h"

class GameObjectInterface;
class ImageInterface;

// The player's hearts and blink charges on screen.
class PlayerStats : public Script<PlayerStats>
{
public:
    // The preference store's values; they do not depend on this instance.
    std::int32_t GetUnlockedTutorialCount() const;
    void SetUnlockedMelee(bool unlocked);
    void SetUnlockedBlink(bool unlocked);
    // The default health and no tutorial progress, for a new game.
    void SaveStats();

    std::int32_t heartsGained = 0;
    std::int32_t defaultMaxHealth = 3;
    std::int32_t defaultCurrHealth = 3;
    std::string heartFilledMaterial = "HeartFilledUI";
    std::string heartEmptyMaterial = "HeartEmptyUI";
    std::string scarabFilledMaterial = "ScarabFilledUI";
    std::string scarabEmptyMaterial = "ScarabEmptyUI";
    float rechargeFlashTime = 0.15f;
    Vector2 emptyScarabScale{0.4f, 0.4f};
    Vector2 filledScarabScale{0.65f, 0.65f};
    // While set, PlayerController::TakeDamage has no effect.
    bool invulnerable = false;
    std::vector<GameObjectInterface*> hearts;
    std::vector<GameObjectInterface*> scarabs;
    // Each recharge image with the seconds it has been shown.
    std::vector<std::pair<ImageInterface*, float>> rechargeFlashes;
    GameObjectInterface* player = nullptr;
};
