#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "script.h"

class GameObjectInterface;
class ImageInterface;

// The player's hearts and blink charges on screen. The numbers live in the preference store; every accessor
// reads and writes it, so any instance serves.
class PlayerStats : public Script<PlayerStats>
{
public:
    static constexpr int kMostHearts = 10;
    // RemoveGainedHearts never takes the maximum below this.
    static constexpr int kFewestHearts = 3;

    void Start() override;
    // The icons and the player.
    void Reload() override;
    void Update() override;

    static int GetMaxHealth();
    static int GetCurrHealth();
    static int GetMaxBlinkCharges();
    static int GetCurrBlinkCharges();
    static int GetUnlockedTutorialCount();
    static void SetCurrHealth(int health);
    static void SetUnlockedMelee(bool unlocked);
    static void SetUnlockedBlink(bool unlocked);
    // The default max and current health, and no tutorial progress.
    void SaveStats() const;

    // One more heart container (none beyond 10), health refilled; counted in heartsGained.
    void AddHeartContainer();
    // One charge back when below the maximum, its icon filled and flashed.
    void AddBlinkCharge();
    // Takes back the containers gained in this level (a continue after a game over), health refilled.
    void RemoveGainedHearts();

    // The icons at an index, filled or empty; an index without an icon is skipped.
    void ShowHeart(int index, bool filled) const;
    void ShowScarab(int index, bool filled) const;

    std::int32_t heartsGained = 0;
    std::string heartFilledMaterial = "HeartFilledUI";
    std::string heartEmptyMaterial = "HeartEmptyUI";
    std::string scarabFilledMaterial = "ScarabFilledUI";
    std::string scarabEmptyMaterial = "ScarabEmptyUI";
    // Stored when the key is missing at Start.
    int defaultMaxHealth = 3;
    int defaultCurrHealth = 3;
    int defaultMaxBlinkCharges = 3;
    int defaultCurrBlinkCharges = 3;
    int defaultUnlockedMelee = 0;
    int defaultUnlockedBlink = 0;
    float rechargeFlashTime = 0.15f;
    Vector2 emptyScarabScale{0.4f, 0.4f};
    Vector2 filledScarabScale{0.65f, 0.65f};
    // While set, PlayerController::TakeDamage has no effect.
    bool invulnerable = false;
    // Index i holds "Heart<i>" (null when the level lacks it); likewise the scarabs and their flashes.
    std::vector<GameObjectInterface*> hearts;
    std::vector<GameObjectInterface*> scarabs;
    // Each recharge image with the seconds it has been shown.
    std::vector<std::pair<ImageInterface*, float>> rechargeFlashes;
    GameObjectInterface* player = nullptr;
};
