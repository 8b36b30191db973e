#pragma once
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "script.h"

class GameObjectInterface;

// Brings enemies into a level over time.
class AISpawner : public Script<AISpawner>
{
public:
    // One waypoint's spawn slot.
    struct SpawnSlot
    {
        bool busy = false;
        float timer = 0.0f;
        float interval = 0.0f;
    };

    void Start() override;
    void Reload() override;
    void Update() override;
    // Takes every waypoint within waypointRadius; other scripts call it after retuning.
    void FindWaypoints();

    // Enemy kind (0 bone, 1 fire, 2 water) to its prefab; kinds whose prefab is missing are left out.
    std::unordered_map<std::int32_t, GameObjectInterface*> enemyPrefabs;
    GameObjectInterface* player = nullptr;
    std::vector<GameObjectInterface*> nearbyWaypoints;
    // One per waypoint, in the same order.
    std::vector<SpawnSlot> spawnSlots;
    std::deque<std::int32_t> spawnRequests;
    // Kinds a waypoint has taken, in the order taken.
    std::deque<std::int32_t> pendingSpawns;
    float waypointRadius = 100.0f;
    float activationRadius = 16.0f;
    float spawnInterval = 6.0f;
    std::int32_t spawnCount = 0;
    bool active = false;

private:
    void RunSlot(std::size_t index);
    void Spawn(const GameObjectInterface& waypoint);
};
