#pragma once
#include <cstdint>

#include "script.h"

class GameObjectInterface;
class AudioSourceInterface;

// The temple's bridge, built in three visible stages, one per advance.
class BridgeScript : public Script<BridgeScript>
{
    SCRIPT_WITH_PROPERTIES(BridgeScript)

    void Reload() override;
    void Start() override;
    void Update() override;
    // One more stage waits to be built.
    void Advance();

    int switchCount_ = 0;

    GameObjectInterface* bridge = nullptr;
    AudioSourceInterface* bridgeAudio = nullptr;
    std::int32_t stage = 0;
    float buildTimer = 0.0f;
    bool advanced = false;

private:
    void Build(const char* mesh);
    void Rest();
};
