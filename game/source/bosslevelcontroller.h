#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "objectref.h"
#include "scripthelpers.h"
#include "script.h"

class GameObjectInterface;
class BossBehaviour;
class PlayerController;

// Flow of the boss level.
class BossLevelController : public Script<BossLevelController>
{
public:
    // Ctrl+Backspace ends the fight; set for as long as the library stays loaded.
    static inline bool bossSkip = false;

    std::vector<GameObjectInterface*> switches;
    // Dropped bombs explode and go by themselves.
    std::vector<ObjectRef> bombs;
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
    ReportOnce reportOnce;

    void Reload() override;
    void Start() override;
    void Update() override;

    // A bomb at the point, with a burst; the arena cleanup removes it.
    void DropBomb(const Vector3& point);

private:
    void Sort(GameObjectInterface* object);
    std::size_t CountBroken();
    void Escalate(std::int32_t count);
    void RunEnd();
    void StartFadeOut();
    void CleanUp();
    void PlaceTriggers();
    void SpawnInTime();
    void SpawnStampeder();
    void RainBombs();
    void ShakeFloor();
    void OpenPortals();
    GameObjectInterface* SpawnBurst() const;
    BossBehaviour* Boss();
    PlayerController* Player();
};
