#pragma once
#include <cstdint>
#include <source_location>
#include <string>

#include "objectref.h"
#include "scripthelpers.h"
#include "script.h"

class GameObjectInterface;

// Switch that hurts the boss.
class BossSwitch : public Script<BossSwitch>
{
    SCRIPT_WITH_PROPERTIES(BossSwitch)

    int healthMax_ = 0;

    GameObjectInterface* playerObject = nullptr;
    GameObjectInterface* bossObject = nullptr;
    // Made by the switch; anything that removes "Breakable" objects may take them first.
    ObjectRef chains;
    ObjectRef mirror;
    ObjectRef shield;
    std::uint64_t shieldPrefab = 0;
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
    ReportOnce reportOnce;

    void Reload() override;
    void Start() override;
    void Update() override;
    void OnCollisionEnter(GameObjectInterface* other) override;
    void OnTriggerEnter(GameObjectInterface* other) override;

    // A melee hit: only sounds while the shield is up, else costs health and breaks the switch at 0.
    void Hit();
    // The boss's beam took the shield down.
    void BreakShield();

private:
    void TakeOwnParts();
    void UpdateShieldUp();
    void UpdateShieldDown();
    void UpdateMirror();
    void UpdateFlash();
    void SpawnShield();
    void SetShieldVisible(bool visible);
    void Break();
    void PlaySound(const std::string& name, float volume) const;
    Vector3 MirrorPosition() const;
};

// Finds "Player" and "FinalBoss" for the switch and the boss door; a missing one is reported as the caller's.
void FindPlayerAndBoss(const std::string& who, GameObjectInterface*& player, GameObjectInterface*& boss,
                       std::source_location where = std::source_location::current());
