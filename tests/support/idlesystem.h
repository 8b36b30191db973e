#pragma once
#include "system.h"

#include <string>

// A system that does nothing, standing in for every system a test or benchmark does not look into.
class IdleSystem : public System
{
public:
    explicit IdleSystem(SystemId id) : System(id) {}
    void Init() override {}
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Idle"; }
    void HandleMessage(const BaseMessage&) override {}
};
