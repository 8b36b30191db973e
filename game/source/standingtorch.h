#pragma once
#include <string>

#include "script.h"

class GameObjectInterface;
class ParticleSystem;
class CameraScript;

// Standing torch lit or put out by the player.
class StandingTorch : public Script<StandingTorch>
{
public:
    // The last character of the torch's own name.
    std::string number;
    GameObjectInterface* wall = nullptr;
    // Present only in the temple level.
    GameObjectInterface* temple = nullptr;
    GameObjectInterface* bridgeOne = nullptr;
    GameObjectInterface* bridgeOneCollider = nullptr;
    GameObjectInterface* torchLight = nullptr;
    ParticleSystem* torchParticles = nullptr;
    GameObjectInterface* levelTwoLight = nullptr;
    CameraScript* camera = nullptr;
    bool wallOpening = false;
    float wallTimer = 2.45f;
    bool bridgeBuilding = false;
    float buildTimer = 0.0f;
    bool spent = false;
};
