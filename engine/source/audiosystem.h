#pragma once
#include "system.h"

// Plays music, effects and voice-over.
class AudioSystem : public System
{
public:
    AudioSystem();

    void Init() override {}
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Audio"; }
    void HandleMessage(const BaseMessage&) override {}
};
