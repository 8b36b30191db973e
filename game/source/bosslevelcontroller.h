#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "script.h"

class GameObjectInterface;

// Flow of the boss level.
class BossLevelController : public Script<BossLevelController>
{
public:
    std::vector<GameObjectInterface*> switches;
    std::vector<GameObjectInterface*> bombs;
    // Objects named "floor_1" to "floor_4".
    std::array<std::vector<GameObjectInterface*>, 4> floorGroups;
    std::vector<GameObjectInterface*> arrows;
    std::vector<GameObjectInterface*> portals;
    GameObjectInterface* bossObject = nullptr;
    GameObjectInterface* playerObject = nullptr;
    GameObjectInterface* doorObject = nullptr;
    std::int32_t brokenCount = 0;
    bool bombRainPending = false;
    bool floorShaking = false;
    float floorShakeTimer = 0.0f;
    float floorShakeTime = 5.0f;
    bool spawning = false;
    float spawnTimer = 0.0f;
    float spawnInterval = 0.5f;
    std::uint64_t bombPrefab = 0;
    std::uint64_t burstPrefab = 0;
    std::uint64_t stampederPrefab = 0;
    bool ended = false;
    float endTimer = 0.0f;
    bool triggersPlaced = false;
};
