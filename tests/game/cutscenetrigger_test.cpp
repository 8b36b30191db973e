// What starts an in-level cutscene: the trigger volumes and who counts as the player for each.
#include "fakeworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
class CutsceneTriggerTest : public ::testing::Test
{
protected:
    CutsceneTriggerTest()
    {
        // The partners' own scripts stay still: only the fields the triggers write are looked at.
        player.active = false;
        camera.active = false;
        music.active = false;
        shotObject.Add<FakeCamera>();
        shot.cutsceneTime = 10.0f;
        trigger.cameraName = "Shot";
    }

    FakeWorld world;
    FakeObject& player = world.Object("Player");
    PlayerStats& stats = world.Attach<PlayerStats>(player);
    FakeObject& camera = world.Object("Camera");
    CameraScript& cameraScript = world.Attach<CameraScript>(camera);
    FadeInFadeOut& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    FakeObject& music = world.Object("LevelMusic");
    FakeAudioSource& levelMusic = music.Add<FakeAudioSource>();
    GameLogic& gameLogic = world.Attach<GameLogic>(music);
    FakeAudioSource& cutsceneMusic = world.Object("Cutscene BGM").Add<FakeAudioSource>();
    FakeObject& shotObject = world.Object("Shot");
    CutsceneCamera& shot = world.Attach<CutsceneCamera>(shotObject);
    FakeObject& volume = world.Object("CutsceneVolume");
    CutsceneTrigger& trigger = world.Attach<CutsceneTrigger>(volume);
};

TEST_F(CutsceneTriggerTest, ThePlayerFadesOutLocksAndAfterTheFadeTheShotTakesOverWithItsMusic)
{
    world.Step();
    fade.fadingIn = false;
    world.TriggerEnter(volume, player, {});
    EXPECT_TRUE(fade.fadingOut);
    EXPECT_TRUE(cameraScript.suspended);
    EXPECT_TRUE(stats.invulnerable);
    EXPECT_THAT(levelMusic.fades, ElementsAre(false));
    world.Steps(55);
    EXPECT_FALSE(shot.active);
    world.Steps(7);
    EXPECT_TRUE(shot.active);
    EXPECT_EQ(world.core.mainCamera, shotObject.id);
    EXPECT_EQ(cutsceneMusic.clip, "CutScene_BGM");
    EXPECT_EQ(cutsceneMusic.plays, 1);
    EXPECT_THAT(cutsceneMusic.fades, ElementsAre(true));
    EXPECT_TRUE(world.factory.WasDestroyed("CutsceneVolume"));
}

TEST_F(CutsceneTriggerTest, AFirstShotWithoutTransitionStartsOnTheNextFrameWithoutAFade)
{
    shot.transitionIn = false;
    world.Step();
    fade.fadingIn = false;
    world.TriggerEnter(volume, player, {});
    EXPECT_FALSE(fade.fadingOut);
    EXPECT_FALSE(shot.active);
    world.Step();
    EXPECT_TRUE(shot.active);
    EXPECT_EQ(world.core.mainCamera, shotObject.id);
}

TEST_F(CutsceneTriggerTest, ATriggerWithoutItsShotIsReportedAtStartAndIgnoresThePlayer)
{
    trigger.cameraName = "Missing";
    const std::string reports = ReportsOf([&] { world.Step(); });
    EXPECT_EQ(CountOf(reports, "CutsceneTrigger. Missing CutsceneCamera on Missing"), 1);
    world.TriggerEnter(volume, player, {});
    world.Steps(70);
    EXPECT_FALSE(cameraScript.suspended);
    EXPECT_FALSE(stats.invulnerable);
    EXPECT_FALSE(world.factory.WasDestroyed("CutsceneVolume"));
}

TEST_F(CutsceneTriggerTest, AfterAHotReloadInTheMiddleOfAShotNothingCrashesAndTheBombTriggerStillWaitsASecond)
{
    world.Attach<CutsceneBombTrigger>(world.Object("BombVolume"));
    world.Attach<Cutscene_Final>(world.Object("FinalVolume"));
    world.Attach<Cutscene2D>(world.Object("Panels"));
    ReportsOf([&] { world.Steps(2); });
    world.TriggerEnter(volume, player, {});
    world.Steps(70);
    ASSERT_TRUE(shot.active);
    ReportsOf([&] {
        world.HotReload();
        world.Steps(5);
        world.Press(13);
        world.Steps(120);
    });
    // The scripts held before the reload are gone: look the new one up.
    auto* reloaded =
        dynamic_cast<CutsceneBombTrigger*>(world.factory.FindObject("BombVolume")->FindScript("CutsceneBombTrigger"));
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->delay, 1.0f);
}

TEST(CutsceneTriggerNames, TheCutsceneTriggerTakesAnyNameWithPlayerTheOthersOnlyPlayerItself)
{
    struct Case
    {
        const char* name;
        bool cutscene;
        bool exact;
    };
    for (const Case& each : {Case{"Player", true, true}, Case{"PlayerMelee", true, false},
                             Case{"OldPlayer", true, false}, Case{"Enemy", false, false}})
    {
        SCOPED_TRACE(each.name);
        FakeWorld world;
        world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
        world.Attach<CutsceneCamera>(world.Object("Shot"));
        FakeObject& visitor = world.Object(each.name);
        FakeObject& volume = world.Object("Volume");
        auto& cutscene = world.Attach<CutsceneTrigger>(volume);
        cutscene.cameraName = "Shot";
        auto& bomb = world.Attach<CutsceneBombTrigger>(volume);
        auto& sequence = world.Attach<Cutscene_L1S3>(volume);
        ReportsOf([&] { world.Step(); });
        world.TriggerEnter(volume, visitor, {});
        EXPECT_EQ(cutscene.triggered, each.cutscene);
        EXPECT_EQ(bomb.triggered, each.exact);
        EXPECT_EQ(sequence.started, each.exact);
    }
}

TEST(CutsceneBombTrigger, ArmsTheTutorialBombOnceASecondHasPassed)
{
    FakeWorld world;
    FakeObject& bombObject = world.Object("PuzzleBombTutorial");
    bombObject.active = false;
    auto& bomb = world.Attach<PuzzleBombTutorial>(bombObject);
    FakeObject& player = world.Object("Player");
    FakeObject& volume = world.Object("BombVolume");
    auto& trigger = world.Attach<CutsceneBombTrigger>(volume);
    world.Step();
    EXPECT_EQ(trigger.delay, 1.0f);
    world.TriggerEnter(volume, player, {});
    world.Steps(58);
    EXPECT_FALSE(bomb.armed);
    world.Steps(4);
    EXPECT_TRUE(bomb.armed);
    EXPECT_FALSE(trigger.triggered);
}
} // namespace
