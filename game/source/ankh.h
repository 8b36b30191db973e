#pragma once
#include "script.h"

class GameObjectInterface;

// Pickup that unlocks the melee attack.
class Ankh : public Script<Ankh>
{
public:
    float bobTime = 0.0f;
    float bobPeriod = 1.0f;
    float doorTimer = 2.45f;
    bool doorOpening = false;
    GameObjectInterface* ankhDoor = nullptr;
};
