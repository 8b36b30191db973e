#include "fakeworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
class LevelSwitcherTest : public ::testing::Test
{
protected:
    FakeWorld world;
    FakeObject& exit = world.Object("Level2");
    LevelSwitcher& switcher = world.Attach<LevelSwitcher>(exit);
    FakeObject& player = world.Object("Player");
};

TEST_F(LevelSwitcherTest, ThePlayerStartsTheFadeOutAndTheNamedLevelLoadsWhenItEndsAfterTheSoundStopped)
{
    auto& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    fade.duration = 0.5f;
    world.Step();
    FakeObject& longer = world.Object("Player2");
    world.TriggerEnter(exit, longer, {});
    EXPECT_FALSE(switcher.triggered);

    world.TriggerEnter(exit, player, {});
    EXPECT_TRUE(fade.fadingOut);
    EXPECT_FLOAT_EQ(switcher.timer, 0.5f);
    int stopsAtLoad = -1;
    world.factory.onLoadLevel = [&](const std::string&) {
        if (stopsAtLoad < 0)
            stopsAtLoad = world.audio.stopAlls;
    };
    world.Steps(29);
    EXPECT_TRUE(world.factory.loadedLevels.empty());
    // The engine's load replaces the switcher; this one goes on loading each frame.
    world.Steps(2);
    ASSERT_FALSE(world.factory.loadedLevels.empty());
    EXPECT_EQ(world.factory.loadedLevels.front(), "Level2");
    EXPECT_EQ(stopsAtLoad, 1);
}

TEST_F(LevelSwitcherTest, WithoutAFadeTheLevelLoadsAtTheNextUpdate)
{
    world.Step();
    world.TriggerEnter(exit, player, {});
    world.Step();
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("Level2"));
    EXPECT_EQ(world.audio.stopAlls, 1);
}

TEST(GameLogic, FadesItsLevelsMusicInAtStartAndReportsAMissingSource)
{
    FakeWorld world;
    FakeObject& holder = world.Object("GameLogic");
    auto& music = holder.Add<FakeAudioSource>();
    world.Attach<GameLogic>(holder);
    world.Attach<GameLogic>(world.Object("Silent"));
    const std::string reports = ReportsOf([&] { world.Step(); });
    EXPECT_THAT(music.fades, ElementsAre(true));
    EXPECT_EQ(CountOf(reports, "GameLogic. Music cannot be found"), 1);
}

class Level2LogicTest : public ::testing::Test
{
protected:
    Level2LogicTest()
    {
        world.Object("Level2Logic").Place({4, 1, -2});
        world.Attach<Level2Logic>(*world.factory.FindObject("Level2Logic"));
    }

    FakeWorld world;
    FakeObject& wall = world.Object("FireWall");
    FakeObject& prefab = world.Prefab("FireElem");
};

TEST_F(Level2LogicTest, OneFireElementComesWhereTheScriptIsOnceTheWallIsGone)
{
    world.Steps(3);
    EXPECT_TRUE(world.factory.instantiated.empty());
    wall.Destroy();
    world.Steps(3);
    EXPECT_THAT(world.factory.instantiated, ElementsAre("FireEle"));
    EXPECT_THAT(world.factory.registered, ElementsAre("FireEle"));
    FakeObject* element = world.factory.FindObject("FireEle");
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->prefabId, prefab.id);
    EXPECT_EQ(element->transform.GetPosition(), Vector3(4, 1, -2));
    EXPECT_EQ(world.factory.FindObject("FireElem"), nullptr);
}

TEST_F(Level2LogicTest, AMissingWallIsReportedOnceAndNothingComes)
{
    wall.Destroy();
    const std::string reports = ReportsOf([&] { world.Steps(3); });
    EXPECT_EQ(CountOf(reports, "Level2Logic. FireWall cannot be found"), 1);
    EXPECT_TRUE(world.factory.instantiated.empty());
}

TEST(Level2Logic, AMissingPrefabIsReportedOnceAndNothingComes)
{
    FakeWorld world;
    auto& logic = world.Attach<Level2Logic>(world.Object("Level2Logic"));
    FakeObject& wall = world.Object("FireWall");
    world.Step();
    wall.Destroy();
    const std::string reports = ReportsOf([&] { world.Steps(3); });
    EXPECT_EQ(CountOf(reports, "Level2Logic. FireElem cannot be found"), 1);
    EXPECT_TRUE(logic.done);
    EXPECT_TRUE(world.factory.instantiated.empty());
}
} // namespace
