// Tutorial signs: the picture paired by the last character of the volume's name, and the page count.
#include "fakeworld.h"

#include "playerpref.h"

#include <gtest/gtest.h>

namespace
{
class TutorialTest : public ::testing::Test
{
protected:
    TutorialTest() { world.Step(); }

    FakeWorld world;
    FakeObject& player = world.Object("Player");
    FakeImage& picture = world.Object("Tutorial3").Add<FakeImage>();
    FakeObject& volume = world.Object("TutorialVolume3");
    Tutorial& tutorial = world.Attach<Tutorial>(volume);
};

TEST_F(TutorialTest, ThePlayerSeesThePictureWhileInsideAndEachVolumeCountsOncePerLoad)
{
    EXPECT_EQ(picture.GetAlpha(), 0.0f);
    world.TriggerEnter(volume, player, {});
    EXPECT_EQ(picture.material, "Tutorial3");
    EXPECT_EQ(picture.GetAlpha(), 1.0f);
    EXPECT_EQ(PlayerPref::GetInt("unlockedTutorialCount"), 1);
    world.TriggerExit(volume, player);
    EXPECT_EQ(picture.GetAlpha(), 0.0f);
    world.TriggerEnter(volume, player, {});
    EXPECT_EQ(PlayerPref::GetInt("unlockedTutorialCount"), 1);

    // The level loaded again: the volume counts again.
    tutorial.Start();
    world.TriggerEnter(volume, player, {});
    EXPECT_EQ(PlayerPref::GetInt("unlockedTutorialCount"), 2);
}

TEST_F(TutorialTest, AConnectedGamepadShowsTheGamepadPictureFromTheNextEntry)
{
    world.TriggerEnter(volume, player, {});
    world.input.gamepadConnected = true;
    EXPECT_EQ(picture.material, "Tutorial3");
    world.TriggerExit(volume, player);
    world.TriggerEnter(volume, player, {});
    EXPECT_EQ(picture.material, "TutorialController3");
}

TEST_F(TutorialTest, OnlyThePlayerItselfCountsAndANamelessVolumeDoesNothing)
{
    world.TriggerEnter(volume, world.Object("PlayerMelee"), {});
    EXPECT_EQ(picture.GetAlpha(), 0.0f);
    FakeObject& nameless = world.Object("");
    world.Attach<Tutorial>(nameless);
    world.Step();
    world.TriggerEnter(nameless, player, {});
    EXPECT_EQ(PlayerPref::GetInt("unlockedTutorialCount"), 0);
}
} // namespace
