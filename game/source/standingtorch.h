#pragma once
#include <string>

#include "script.h"

class GameObjectInterface;
class ParticleSystemInterface;
class CameraScript;

// A torch of the torch puzzles, numbered by the last character of its name: fire lights it and breaks its
// wall, ice dims its level-2 light and advances the temple's bridge.
class StandingTorch : public Script<StandingTorch>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;
    void OnCollisionEnter(GameObjectInterface* other) override;
    void OnTriggerEnter(GameObjectInterface* other) override;

    // The last character of the torch's own name.
    std::string number;
    GameObjectInterface* wall = nullptr;
    // Present only in the temple level.
    GameObjectInterface* temple = nullptr;
    GameObjectInterface* bridgeOne = nullptr;
    GameObjectInterface* bridgeOneCollider = nullptr;
    GameObjectInterface* torchLight = nullptr;
    ParticleSystemInterface* torchParticles = nullptr;
    GameObjectInterface* levelTwoLight = nullptr;
    CameraScript* camera = nullptr;
    bool wallOpening = false;
    float wallTimer = 2.45f;
    bool bridgeBuilding = false;
    float buildTimer = 0.0f;
    bool spent = false;

private:
    void Burn();
    void BreakWall();
    // True when it dimmed the level-2 light and advanced the bridge.
    bool Freeze();
    void BuildBridgeOne();
    void FinishWall();
    void FinishBridgeOne();
    std::string WallName() const;
    std::string LevelTwoLightName() const;
};
