#pragma once
#include "system.h"

// The waypoint graph and its path queries.
class AIController : public System
{
public:
    AIController();

    void Init() override {}
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "AIController"; }
    void HandleMessage(const BaseMessage&) override {}
};
