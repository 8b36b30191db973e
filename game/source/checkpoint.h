#pragma once
#include <vector>

#include "script.h"

class GameObjectInterface;
class CrumblingFloor;

// Checkpoint the player respawns at.
class CheckPoint : public Script<CheckPoint>
{
public:
    // Finds the player and gathers the floors that rewind.
    void Reload() override;
    // The effect waits stopped for the first touch.
    void Start() override;
    // Stops the effect again every few seconds once activated.
    void Update() override;
    // The player's touch moves its respawn point here; the first one also plays the sound and the effect.
    void OnTriggerEnter(GameObjectInterface* other) override;
    // Where a touch puts the player's respawn point.
    Vector3 RespawnPoint() const;

    bool activated = false;
    float particleTimer = 0.0f;
    float particleStopInterval = 3.0f;
    GameObjectInterface* player = nullptr;
    // The floors the player's respawn restores.
    std::vector<CrumblingFloor*> floors;
};
