#pragma once
#include "system.h"

// Moves bodies, finds contacts and answers ray queries.
class PhysicsSystem : public System
{
public:
    PhysicsSystem();

    void Init() override {}
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Physics"; }
    void HandleMessage(const BaseMessage&) override {}
};
