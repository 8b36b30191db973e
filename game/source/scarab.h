#pragma once
#include "script.h"

// Pickup that unlocks the blink and the melee attack.
class Scarab : public Script<Scarab>
{
public:
    void OnTriggerStay(GameObjectInterface* other) override;
    using MonoBehaviorInterface::OnTriggerStay;
};
