#pragma once
#include "objectref.h"
#include "script.h"

class GameObjectInterface;

// Removes itself and a light once the player comes near.
class DisappearingAct : public Script<DisappearingAct>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;

    GameObjectInterface* player = nullptr;
    // Another act may have removed it first.
    ObjectRef light;
    // About 63.2 units.
    float nearDistanceSquared = 4000.0f;
    bool done = false;
};
