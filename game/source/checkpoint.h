#pragma once
#include <vector>

#include "script.h"

class GameObjectInterface;
class CrumblingFloor;

// Checkpoint the player respawns at.
class CheckPoint : public Script<CheckPoint>
{
public:
    // Finds the player.
    void Reload() override;
    // Gathers the floors that rewind; the effect waits stopped for the first touch.
    void Start() override;
    // Stops the effect again every few seconds once activated.
    void Update() override;
    // The player's touch moves its respawn point here; the first one also plays the sound and the effect.
    void OnTriggerEnter(GameObjectInterface* other) override;

    bool activated = false;
    float particleTimer = 0.0f;
    float particleStopInterval = 3.0f;
    GameObjectInterface* player = nullptr;
    // The floors the player's respawn restores.
    std::vector<CrumblingFloor*> floors;
};
