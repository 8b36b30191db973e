#pragma once
#include "script.h"

// Pickup that gives the player a heart.
class Heart : public Script<Heart>
{
public:
    // One turn a second about the vertical axis.
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override;
    using MonoBehaviorInterface::OnTriggerEnter;

    float spinAngle = 0.0f;
};
