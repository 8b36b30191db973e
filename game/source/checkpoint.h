#pragma once
#include <vector>

#include "script.h"

class GameObjectInterface;
class CrumblingFloor;

// Checkpoint the player respawns at.
class CheckPoint : public Script<CheckPoint>
{
public:
    bool activated = false;
    float particleTimer = 0.0f;
    float particleStopInterval = 3.0f;
    GameObjectInterface* player = nullptr;
    std::vector<CrumblingFloor*> floors;
};
