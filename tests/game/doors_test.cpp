#include "fakeenemies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ElementDoors, OpenOnlyForTheirElementAndSoundWhereTheyStood)
{
    struct Case
    {
        const char* door;
        const char* tag;
        std::vector<std::string> sounds;
    };
    const std::vector<std::string> melt{"sfx_melt", "sfx_icedeath"};
    const std::vector<std::string> thaw{"sfx_melt", "sfx_firedeath"};
    const Case cases[] = {
        {"FireDoor", "Ice", melt},         {"FireDoor", "IceProjectile", melt}, {"FireDoor", "FireElem", {}},
        {"IceDoor", "FireElem", thaw},     {"IceDoor", "Fire", thaw},          {"IceDoor", "IceProjectile", {}},
        {"BreakableDoor", "NullElem", {"sfx_doorbreak"}}, {"BreakableDoor", "NullElem1", {}},
        {"BreakableDoor", "nullelem", {}}, {"BreakableDoor", "", {}},
    };
    for (const Case& c : cases)
    {
        FakeWorld world;
        FakeObject& door = world.Object("Door");
        door.Place({4, 0, 2});
        world.Attach(door, c.door);
        world.Step();
        FakeObject& other = world.Prefab("Other");
        other.tag = c.tag;
        world.CollisionEnter(door, other, {});

        EXPECT_EQ(world.audio.PlayedNames(), c.sounds) << c.door << " " << c.tag;
        EXPECT_EQ(world.factory.WasDestroyed("Door"), !c.sounds.empty()) << c.door << " " << c.tag;
        for (const FakeAudio::Played& sound : world.audio.played)
            EXPECT_TRUE(sound.position == Vector3(4, 0, 2));
    }

}

TEST(Seg3Door, RisesFifteenInOneAndAHalfSecondsOnceNoSkeletonIsLeftPausingWhileOneLives)
{
    FakeWorld world;
    FakeObject& door = world.Object("Seg3Door");
    door.Place({0, 2, 0});
    auto& collider = door.Add<FakeCollider>();
    auto& script = world.Attach<Seg3Door>(door);
    FakeObject& skeleton = world.Object("BoneElem0");
    world.Steps(30);
    EXPECT_EQ(script.enemiesLeft, 1);
    EXPECT_EQ(door.transform.GetPosition().y, 2.0f);
    EXPECT_FALSE(collider.trigger);

    world.factory.Destroy(&skeleton);
    world.Steps(45);
    EXPECT_NEAR(door.transform.GetPosition().y, 9.5f, 1e-3f);
    EXPECT_TRUE(collider.trigger);

    FakeObject& late = world.Object("BoneElem7");
    world.Steps(30);
    EXPECT_NEAR(door.transform.GetPosition().y, 9.5f, 1e-3f);
    EXPECT_TRUE(collider.trigger);

    world.factory.Destroy(&late);
    world.Steps(120);
    EXPECT_NEAR(door.transform.GetPosition().y, 17.0f, 10.0f * FakeWorld::kFrameTime + 1e-3f);
}

TEST(AmbientSound, PlaysTheSoundNamedLikeItsObjectOrStaysSilent)
{
    FakeWorld world;
    FakeObject& speaker = world.Object("amb_wind");
    auto& source = speaker.Add<FakeAudioSource>();
    world.Attach<AmbientSound>(speaker);
    world.Attach<AmbientSound>(world.Object("amb_silence"));
    EXPECT_THAT(ReportsOf([&] { world.Step(); }), IsEmpty());
    EXPECT_EQ(source.clip, "amb_wind");
    EXPECT_EQ(source.plays, 1);
    EXPECT_THAT(world.audio.played, IsEmpty());
}
} // namespace
