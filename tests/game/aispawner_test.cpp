#include "fakeenemies.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
using ::testing::ElementsAre;

// A spawner at the origin with four waypoints 5 away, the three enemy prefabs and the player 20 away.
struct SpawnerWorld
{
    SpawnerWorld()
    {
        for (const char* kind : {"BoneElem", "FireElemNew", "WaterElem"})
            AddFakeEnemy(world.Prefab(kind), 3, 3);
        const Vector3 places[] = {{5, 0, 0}, {0, 0, 5}, {-5, 0, 0}, {0, 0, -5}};
        for (const Vector3& place : places)
        {
            FakeObject& waypoint = world.Object("Waypoint");
            waypoint.Place(place);
            waypoint.Add<FakeWaypoint>();
        }
        player.Place({20, 0, 0});
    }

    std::vector<std::string> Spawned() const
    {
        std::vector<std::string> names;
        for (const auto& object : world.factory.Live())
            if (object->prefabId != 0)
                names.push_back(object->name);
        return names;
    }

    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    FakeObject& body = world.Object("AISpawner1");
    AISpawner& spawner = world.Attach<AISpawner>(body);
};

TEST(AISpawner, HoldsRequestsUntilThePlayerComesNearThenSpawnsOnePerWaypointPerInterval)
{
    SpawnerWorld scene;
    scene.spawner.spawnRequests = {0, 1, 2, 0, 0, 1};
    scene.world.Steps(600);
    EXPECT_TRUE(scene.Spawned().empty());
    EXPECT_EQ(scene.spawner.spawnRequests.size(), 6u);

    scene.player.transform.SetPosition({15.9f, 0, 0});
    scene.world.Step();
    EXPECT_TRUE(scene.spawner.active);
    EXPECT_EQ(scene.spawner.spawnRequests.size(), 6u);

    // Each waypoint takes one request in the next frame and spawns one interval (6 s) later.
    scene.world.Steps(358);
    EXPECT_TRUE(scene.Spawned().empty());
    scene.world.Steps(6);
    EXPECT_THAT(scene.Spawned(), ElementsAre("BoneElem0", "FireElemNew1", "WaterElem2", "BoneElem3"));
    scene.world.Steps(355);
    EXPECT_EQ(scene.Spawned().size(), 4u);
    scene.world.Steps(10);
    EXPECT_THAT(scene.Spawned(), ElementsAre("BoneElem0", "FireElemNew1", "WaterElem2", "BoneElem3", "BoneElem4",
                                             "FireElemNew5"));

    const FakeObject& second = *scene.world.factory.FindObject("FireElemNew1");
    EXPECT_TRUE(second.transform.GetPosition() == Vector3(0, 0, 5));
    const auto& elem = dynamic_cast<const FakeEnemy&>(*second.FindScript("Elem"));
    EXPECT_FALSE(elem.active);
    EXPECT_EQ(elem.detectRange, 9999.0f);
    EXPECT_EQ(elem.chaseRange, 99999.0f);
    EXPECT_EQ(std::ranges::count(scene.world.factory.registered, "BoneElem4"), 1);
}

TEST(AISpawner, DropsAndReportsAKindWithoutPrefabAndGoesOn)
{
    SpawnerWorld scene;
    scene.world.factory.FindPrefab("WaterElem")->name = "Gone";
    std::string reports = ReportsOf([&] { scene.world.Step(); });
    EXPECT_EQ(CountOf(reports, "WaterElem"), 1);

    scene.spawner.spawnRequests = {2, 7, 0};
    scene.player.transform.SetPosition({0, 0, 0});
    reports = ReportsOf([&] { scene.world.Steps(370); });
    EXPECT_EQ(CountOf(reports, "No enemy prefab"), 2);
    EXPECT_THAT(scene.Spawned(), ElementsAre("BoneElem0"));
}

TEST(AISpawner, ADueSpawnWithNothingPendingIsReportedAndSpawnsNothing)
{
    SpawnerWorld scene;
    scene.world.Step();
    scene.spawner.active = true;
    scene.spawner.spawnSlots[0] = {true, 7.0f, 6.0f};
    EXPECT_EQ(CountOf(ReportsOf([&] { scene.world.Step(); }), "Should not be Empty"), 1);
    EXPECT_TRUE(scene.Spawned().empty());
    EXPECT_FALSE(scene.spawner.spawnSlots[0].busy);
}

TEST(AISpawner, ReportsFewerThanTwoWaypointsAndKeepsItsTuningThroughAHotReload)
{
    FakeWorld world;
    world.Object("Waypoint").Add<FakeWaypoint>();
    FakeObject& far = world.Object("Waypoint");
    far.Place({100, 0, 0});
    far.Add<FakeWaypoint>();
    world.Object("Player");
    world.Attach<AISpawner>(world.Object("AISpawner1"));
    EXPECT_EQ(CountOf(ReportsOf([&] { world.Step(); }), "No Waypoints Nearby Spawner?"), 1);

    SpawnerWorld scene;
    scene.world.Step();
    scene.world.HotReload();
    const auto& reloaded = dynamic_cast<const AISpawner&>(*scene.body.FindScript("AISpawner"));
    EXPECT_EQ(reloaded.nearbyWaypoints.size(), 4u);
    EXPECT_EQ(reloaded.activationRadius, 16.0f);
    EXPECT_EQ(reloaded.spawnInterval, 6.0f);
}

TEST(PushToSpawner, AlwaysRetunesTheSpawnerAndQueuesItsWaveOnlyAsGymSpawner)
{
    for (const char* name : {"GymSpawner", "Pusher"})
    {
        SpawnerWorld scene;
        FakeObject& distant = scene.world.Object("Waypoint");
        distant.Place({30, 0, 0});
        distant.Add<FakeWaypoint>();
        scene.world.Attach<PushToSpawner>(scene.world.Object(name));
        scene.world.Step();

        EXPECT_EQ(scene.spawner.waypointRadius, 20.0f) << name;
        EXPECT_EQ(scene.spawner.activationRadius, 20.0f) << name;
        EXPECT_EQ(scene.spawner.spawnInterval, 8.0f) << name;
        EXPECT_EQ(scene.spawner.nearbyWaypoints.size(), 4u) << name;
        EXPECT_EQ(scene.spawner.spawnSlots[0].interval, 8.0f) << name;
        if (name == std::string("GymSpawner"))
            EXPECT_THAT(scene.spawner.spawnRequests, ElementsAre(0, 0, 1, 0, 0, 1));
        else
            EXPECT_TRUE(scene.spawner.spawnRequests.empty());
    }

    FakeWorld world;
    world.Attach<PushToSpawner>(world.Object("GymSpawner"));
    EXPECT_EQ(CountOf(ReportsOf([&] { world.Step(); }), "AISpawner not found in level."), 1);
}
} // namespace
