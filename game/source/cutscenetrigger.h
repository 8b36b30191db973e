#pragma once
#include <string>

#include "script.h"

class CutsceneCamera;
class PlayerStats;

// Starts a cutscene camera when the player enters.
class CutsceneTrigger : public Script<CutsceneTrigger>
{
    SCRIPT_WITH_PROPERTIES(CutsceneTrigger)

    void Reload() override;
    void Start() override;
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override;

    std::string cameraName;

    CutsceneCamera* camera = nullptr;
    PlayerStats* playerStats = nullptr;
    bool triggered = false;
    float timer = 0.0f;
    bool transition = true;
};
