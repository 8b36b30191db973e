#include "fakeenemies.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace
{
constexpr ObjectId kGuards[] = {6937897433758630081u, 4192109035945722048u, 3711631222299951479u,
                                1049440920970789055u};

int DoorSounds(const FakeWorld& world)
{
    return static_cast<int>(std::ranges::count(world.audio.PlayedNames(), "sfx_dooropen"));
}

TEST(ClearEnemyWall, OpensWithTheDoorSoundOnceWhenNoneOfTheGuardsThatTheLevelHasIsLeft)
{
    for (const int guards : {4, 2, 0})
    {
        FakeWorld world;
        FakeObject& wall = world.Object("Wall");
        wall.Place({1, 2, 3});
        world.Attach<ClearEnemyWall>(wall);
        std::vector<FakeObject*> live;
        for (int index = 0; index < guards; ++index)
        {
            live.push_back(&world.Object("Guard"));
            live.back()->id = kGuards[index];
        }
        world.Object("Bystander");

        world.Steps(3);
        // A reloaded wall still knows its guards.
        world.HotReload();
        world.Step();
        for (FakeObject* guard : live)
        {
            EXPECT_FALSE(world.factory.WasDestroyed("Wall")) << guards;
            world.factory.Destroy(guard);
            world.Steps(2);
        }
        EXPECT_TRUE(world.factory.WasDestroyed("Wall")) << guards;
        EXPECT_EQ(DoorSounds(world), 1) << guards;
        EXPECT_EQ(world.audio.played[0].volume, 0.5f);
        EXPECT_TRUE(world.audio.played[0].position == Vector3(1, 2, 3));
    }
}

TEST(ClearEnemyWallNotHC, StaysShutWhileAnyBoneEnemyLivesEvenOneSpawnedLater)
{
    FakeWorld world;
    world.Attach<ClearEnemyWallNotHC>(world.Object("Wall"));
    FakeObject& first = world.Object("BoneElem0");
    world.Object("FireElemNew1");
    world.Steps(2);

    FakeObject& later = world.Object("SpawnedBoneElem7");
    world.factory.Destroy(&first);
    world.Steps(2);
    EXPECT_FALSE(world.factory.WasDestroyed("Wall"));
    EXPECT_EQ(DoorSounds(world), 0);

    world.factory.Destroy(&later);
    world.Steps(3);
    EXPECT_TRUE(world.factory.WasDestroyed("Wall"));
    EXPECT_EQ(DoorSounds(world), 1);
}
} // namespace
