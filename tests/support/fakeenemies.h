#pragma once
// Fakes for the enemy and puzzle script tests, beside the fake world (fakeworld.h): a waypoint and a fake
// enemy with its health; the player is fakeplayer.h's.
#include "fakeenemy.h"
#include "fakeplayer.h"
#include "fakeworld.h"

#include <vector>

// Only a node: no graph is faked.
class FakeWaypoint final : public FakeSwitchableOf<WaypointInterface, FakeWaypoint>
{
public:
    void AddEdge(WaypointInterface* /*target*/) override {}
    std::vector<WaypointEdge> GetEdges() const override { return {}; }
    const std::uint64_t& GetUniqueID() const override { return uniqueId; }
    std::vector<WaypointInterface*> GetPath(std::uint64_t /*targetId*/) const override { return {}; }
    void RefindEdge() override {}
    void GeneratePath() override {}
    WaypointInterface* GetWaypointFromPosition(const Vector3& /*position*/) override { return nullptr; }

    std::uint64_t uniqueId = 0;
};

// An enemy's "Elem" script of the health and maximum given, active.
inline FakeEnemy& AddFakeEnemy(FakeObject& enemy, int health, int maxHealth)
{
    FakeEnemy& elem = AddFakeEnemy(enemy);
    elem.health = health;
    elem.maxHealth = maxHealth;
    elem.active = true;
    return elem;
}
