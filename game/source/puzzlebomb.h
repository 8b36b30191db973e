#pragma once
#include <string>

#include "script.h"

class GameObjectInterface;
class PlayerController;

// What both bombs keep; the strings are set at creation and copied by Clone.
struct PuzzleBombFields
{
    std::string normalMaterial = "RaMaterial";
    std::string flashMaterial = "RaMaterialRed";
    std::string tickSound = "sfx_BombTicking";
    std::string explosionSound = "sfx_fire";
    // The fuse is burning; other scripts arm a bomb by setting it.
    bool armed = false;
    float fuseTime = 3.0f;
    float fuseTimer = 0.0f;
    float explosionRadius = 15.0f;
    float explosionLife = 0.5f;
    float triggerRadius = 16.0f;
    float firstTick = 1.0f;
    float nextTick = 1.0f;
    float tickDivisor = 3.0f;
    float tickVolume = 0.3f;
    float flashTime = 0.075f;
    float flashTimer = 0.0f;
    GameObjectInterface* explosionPrefab = nullptr;
    GameObjectInterface* player = nullptr;
    PlayerController* playerController = nullptr;

protected:
    // The player, its controller and the explosion prefab; missing ones are reported.
    void FindPartners();
    // One frame of a burning fuse: the ticks with their red flashes, and at the end the explosion.
    void Burn(GameObjectInterface& bomb);

private:
    void Explode(GameObjectInterface& bomb);
    void ShowMaterial(const GameObjectInterface& bomb, const std::string& name) const;
};

// Bomb that arms itself when the player comes near, ticks faster and faster and explodes.
class PuzzleBomb : public Script<PuzzleBomb>, public PuzzleBombFields
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;
};
