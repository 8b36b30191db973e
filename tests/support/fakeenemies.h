#pragma once
// Fakes for the enemy and puzzle script tests, beside the fake world (fakeworld.h): a waypoint, a fake
// enemy with its health, and the player as the enemies find it.
#include "fakeenemy.h"
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

// "Player", tagged "Player", with a body, at the position; its controller is held but never started, so
// no movement of its own interferes.
inline FakeObject& AddPlayer(FakeWorld& world, const Vector3& position)
{
    FakeObject& player = world.Object("Player", "Player");
    player.Place(position);
    player.Add<FakeRigidBody>();
    world.Attach<PlayerController>(player).state = ScriptState::Disabled;
    return player;
}
