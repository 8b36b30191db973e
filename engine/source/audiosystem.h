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

    // The master group: paused while the window is inactive, muted for the automated test run.
    void SetMasterPaused(bool paused) { masterPaused_ = paused; }
    bool IsMasterPaused() const { return masterPaused_; }
    void SetMasterMuted(bool muted) { masterMuted_ = muted; }
    bool IsMasterMuted() const { return masterMuted_; }

private:
    bool masterPaused_ = false;
    bool masterMuted_ = false;
};
