#pragma once
#include "system.h"

// Hosts the script library and drives every object's scripts.
class Logic : public System
{
public:
    Logic();

    // Core announces the start-up; this loads the script library and reports how that went.
    void Init() override;
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Logic"; }
    void HandleMessage(const BaseMessage&) override {}
};
