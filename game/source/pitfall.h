#pragma once
#include "script.h"

class PlayerController;

// Pit that kills whatever falls in.
class Pitfall : public Script<Pitfall>
{
public:
    // An enemy's health goes to 0; the player is hurt, or put back when invulnerable.
    void OnTriggerEnter(GameObjectInterface* other) override;
    // A player still in the pit is hurt unless blinking or dead.
    void OnTriggerStay(GameObjectInterface* other) override;
    using MonoBehaviorInterface::OnTriggerEnter;
    using MonoBehaviorInterface::OnTriggerStay;

    // The last player's controller.
    PlayerController* playerController = nullptr;
};
