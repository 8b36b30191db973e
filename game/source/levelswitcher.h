#pragma once
#include "script.h"

// The exit of a level: a trigger volume named after the next level.
class LevelSwitcher : public Script<LevelSwitcher>
{
public:
    void OnTriggerEnter(GameObjectInterface* other) override;
    void Update() override;

    bool triggered = false;
    // Runs as long as the fade-out, so the screen is black when the level changes.
    float timer = 0.0f;
};
