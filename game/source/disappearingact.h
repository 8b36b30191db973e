#pragma once
#include "script.h"

class GameObjectInterface;

// Removes itself and a light once the player comes near.
class DisappearingAct : public Script<DisappearingAct>
{
public:
    GameObjectInterface* player = nullptr;
    GameObjectInterface* light = nullptr;
    float nearDistanceSquared = 0.0f;
    bool done = false;
};
