#include "aispawner.h"

#include <cmath>
#include <string>

#include "aicharacter.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kWaypointRadius = 100.0f;
constexpr float kActivationRadius = 16.0f;
constexpr float kSpawnInterval = 6.0f;
// What a placed enemy's AI character is given.
constexpr float kPlacedDetectRange = 9999.0f;
constexpr float kPlacedChaseRange = 99999.0f;

constexpr const char* kEnemyPrefabs[] = {"BoneElem", "FireElemNew", "WaterElem"};

float Distance(const GameObjectInterface& a, const GameObjectInterface& b)
{
    return std::sqrt(DistanceSquared(a.GetTransform()->GetPosition(), b.GetTransform()->GetPosition()));
}
} // namespace

void AISpawner::Start()
{
    spawnInterval = kSpawnInterval;
    waypointRadius = kWaypointRadius;
    activationRadius = kActivationRadius;
    Reload();
    spawnCount = 0;
    active = false;
}

void AISpawner::Reload()
{
    enemyPrefabs.clear();
    for (std::int32_t kind = 0; kind < std::ssize(kEnemyPrefabs); ++kind)
    {
        if (GameObjectInterface* prefab = FindPrefabFor("AISpawner", kEnemyPrefabs[kind]))
            enemyPrefabs[kind] = prefab;
    }
    player = FindObjectFor("AISpawner", "Player");
    FindWaypoints();
}

void AISpawner::FindWaypoints()
{
    nearbyWaypoints.clear();
    spawnSlots.clear();
    for (GameObjectInterface* object : gServices.factory->GetAllObjects())
        if (object->GetWaypoint() && Distance(*object, *owner) < waypointRadius)
        {
            nearbyWaypoints.push_back(object);
            spawnSlots.push_back({false, 0.0f, spawnInterval});
        }
    if (nearbyWaypoints.size() <= 1)
        ReportAssertion("No Waypoints Nearby Spawner?", __FILE__, __LINE__);
}

void AISpawner::Update()
{
    if (!active)
    {
        active = player && Distance(*player, *owner) < activationRadius;
        return;
    }
    for (std::size_t index = 0; index < spawnSlots.size(); ++index)
        RunSlot(index);
}

void AISpawner::RunSlot(std::size_t index)
{
    SpawnSlot& slot = spawnSlots[index];
    if (!slot.busy)
    {
        if (!spawnRequests.empty())
        {
            slot.busy = true;
            pendingSpawns.push_back(spawnRequests.front());
            spawnRequests.pop_front();
        }
    }
    else if (slot.timer > slot.interval)
    {
        slot.timer = 0.0f;
        slot.busy = false;
        if (pendingSpawns.empty())
            ReportAssertion("Should not be Empty", __FILE__, __LINE__);
        else
            Spawn(*nearbyWaypoints[index]);
    }
    else
        slot.timer += gServices.dt;
}

void AISpawner::Spawn(const GameObjectInterface& waypoint)
{
    const std::int32_t kind = pendingSpawns.front();
    pendingSpawns.pop_front();
    const auto prefab = enemyPrefabs.find(kind);
    if (prefab == enemyPrefabs.end())
    {
        ReportAssertion("No enemy prefab of kind " + std::to_string(kind), __FILE__, __LINE__);
        return;
    }
    GameObjectInterface* enemy = InstantiateAt(prefab->second->GetID(), prefab->second->GetName() + std::to_string(spawnCount),
                                               waypoint.GetTransform()->GetPosition());
    ++spawnCount;
    if (AICharacter* character = ElemOf(enemy))
    {
        character->active = false;
        character->detectRange = kPlacedDetectRange;
        character->chaseRange = kPlacedChaseRange;
    }
}
