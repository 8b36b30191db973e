#pragma once
#include <cstdint>

#include "script.h"

class GameObjectInterface;
class AudioSourceInterface;

// Bridge raised once enough switches are hit.
class BridgeScript : public Script<BridgeScript>
{
    SCRIPT_WITH_PROPERTIES(BridgeScript)

    int switchCount_ = 0;

    GameObjectInterface* bridge = nullptr;
    AudioSourceInterface* bridgeAudio = nullptr;
    std::int32_t stage = 0;
    float buildTimer = 0.0f;
    bool advanced = false;
};
