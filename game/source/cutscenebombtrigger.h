#pragma once
#include "script.h"

// Arms the tutorial bomb after the player walks in.
class CutsceneBombTrigger : public Script<CutsceneBombTrigger>
{
public:
    void Start() override;
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override;

    bool triggered = false;
    // Seconds from the player's entry to the bomb's arming.
    float delay = 1.0f;
    float elapsed = 0.0f;
};
