#include "fakeworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
class CheckPointTest : public ::testing::Test
{
protected:
    CheckPointTest() { checkPoint.Place({10.0f, 0.0f, -4.0f}); }

    CrumblingFloor& AddFloor(const std::string& name, bool rewind)
    {
        auto& floor = world.Attach<CrumblingFloor>(world.Object(name, "Ground"));
        floor.rewind = rewind;
        return floor;
    }

    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    PlayerController& controller = world.Attach<PlayerController>(player);
    FakeObject& checkPoint = world.Object("CheckPoint");
    CheckPoint& script = world.Attach<CheckPoint>(checkPoint);
};

TEST_F(CheckPointTest, ItListsOnlyTheFloorsThatRewind)
{
    CrumblingFloor& first = AddFloor("Floor1", true);
    AddFloor("Floor2", false);
    CrumblingFloor& third = AddFloor("Floor3", true);
    world.Object("Wall", "Ground");
    world.Step();
    EXPECT_THAT(script.floors, ElementsAre(&first, &third));
}

TEST_F(CheckPointTest, EveryTouchMovesTheRespawnPointTheFirstAlonePlaysTheSoundAndTheEffect)
{
    auto& particles = checkPoint.Add<FakeParticleSystem>();
    particles.Play();
    world.Step();
    EXPECT_TRUE(particles.stopped) << "waits for the first touch";

    world.TriggerEnter(checkPoint, world.Object("Crate"), {});
    EXPECT_FALSE(script.activated);
    world.TriggerEnter(checkPoint, player, {});
    EXPECT_EQ(controller.respawnPoint, Vector3(13.0f, 5.0f, -4.0f));
    EXPECT_TRUE(script.activated);
    EXPECT_TRUE(particles.playing && particles.emitting);
    ASSERT_EQ(world.audio.played.size(), 1u);
    EXPECT_EQ(world.audio.played[0].name, "sfx_CheckPointSound");
    EXPECT_FLOAT_EQ(world.audio.played[0].volume, 0.3f);
    EXPECT_EQ(world.audio.played[0].position, Vector3(10.0f, 0.0f, -4.0f));

    controller.respawnPoint = {};
    world.TriggerEnter(checkPoint, player, {});
    EXPECT_EQ(controller.respawnPoint, Vector3(13.0f, 5.0f, -4.0f));
    EXPECT_EQ(world.audio.played.size(), 1u);

    world.Steps(179);
    EXPECT_TRUE(particles.playing);
    world.Steps(3);
    EXPECT_TRUE(particles.stopped) << "the effect runs about 3 s";
}

TEST_F(CheckPointTest, WithoutAParticleSystemItMovesTheRespawnPointButNeverActivates)
{
    world.Step();
    world.TriggerEnter(checkPoint, player, {});
    world.TriggerEnter(checkPoint, player, {});
    EXPECT_EQ(controller.respawnPoint, Vector3(13.0f, 5.0f, -4.0f));
    EXPECT_FALSE(script.activated);
    EXPECT_TRUE(world.audio.played.empty());
}
} // namespace
