#pragma once
#include <string>

#include "script.h"

class BridgeScript;

// Target that records a hit by an ice projectile.
class TargetSwitch : public Script<TargetSwitch>
{
    SCRIPT_WITH_PROPERTIES(TargetSwitch)

    void Reload() override;
    void Start() override;
    void OnTriggerEnter(GameObjectInterface* other) override;

    std::string bridgeName_;

    bool hit = false;
    BridgeScript* bridgeScript = nullptr;
};
