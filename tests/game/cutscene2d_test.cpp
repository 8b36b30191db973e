// The panel cutscenes: one confirm completes a slide, the next advances; after the last panel the fade runs
// out before the next level loads.
#include "fakeworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
constexpr std::uint16_t kEnter = 13;

class Cutscene2DTest : public ::testing::Test
{
protected:
    Cutscene2D& Begin(int cutscene, const std::string& nextLevel = "")
    {
        strip.position = {6500.0f, 0.0f, -1.0f};
        auto& script = world.Attach<Cutscene2D>(holder);
        script.cutscene = cutscene;
        script.nextLevel = nextLevel;
        world.Step();
        return script;
    }
    // Snap the slide, then advance: the panel after the current one.
    void NextPanel()
    {
        world.Press(kEnter);
        world.Press(kEnter);
    }

    FakeWorld world;
    FakeObject& holder = world.Object("CutsceneLogic");
    FakeAudioSource& voice = holder.Add<FakeAudioSource>();
    FakeRectTransform& strip = world.Object("Cutscene").Add<FakeRectTransform>();
    FakeImage& subtitle = world.Object("Subtitle").Add<FakeImage>();
    FakeImage& band = world.Object("Background").Add<FakeImage>();
    FadeInFadeOut& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
};

TEST_F(Cutscene2DTest, TheFirstPressDuringASlideSnapsTheNextAdvancesAndTheStripMovesThirtyAFrame)
{
    Cutscene2D& cutscene = Begin(1);
    EXPECT_TRUE(fade.fadingIn);
    EXPECT_EQ(voice.clip, "CutScene_2_Panel_1");
    EXPECT_EQ(subtitle.material, "Subtitle2D_Cutscene1_1");
    EXPECT_EQ(subtitle.GetAlpha(), 1.0f);
    EXPECT_EQ(band.GetAlpha(), 1.0f);
    // Per frame, whatever the frame time.
    world.frameTime = 0.1f;
    world.Step();
    EXPECT_EQ(strip.position, Vector3(6440.0f, 0.0f, -1.0f));
    EXPECT_TRUE(cutscene.moving);

    world.Press(kEnter);
    EXPECT_EQ(strip.position, Vector3(6000.0f, 0.0f, -1.0f));
    EXPECT_EQ(cutscene.panel, 0);
    EXPECT_FALSE(cutscene.moving);

    world.Press(kEnter);
    EXPECT_EQ(cutscene.panel, 1);
    EXPECT_TRUE(cutscene.moving);
    EXPECT_EQ(voice.stops, 1);
    EXPECT_EQ(voice.plays, 2);
    EXPECT_EQ(voice.clip, "CutScene_2_Panel_2");
    EXPECT_EQ(subtitle.material, "Subtitle2D_Cutscene1_2");
    EXPECT_EQ(strip.position.x, 5940.0f);
    // 2,000 units at 30 a frame: the slide ends by itself on its 67th frame.
    world.Steps(64);
    EXPECT_TRUE(cutscene.moving);
    world.Step();
    EXPECT_FALSE(cutscene.moving);
    EXPECT_EQ(strip.position.x, 4000.0f);
}

TEST_F(Cutscene2DTest, CutsceneZeroRunsSevenPanelsTheLastSilentThenFadesOutAndLoadsTheMenu)
{
    Cutscene2D& cutscene = Begin(0);
    EXPECT_EQ(cutscene.panelCount, 7);
    for (int panel = 1; panel < 7; ++panel)
        NextPanel();
    EXPECT_EQ(cutscene.panel, 6);
    EXPECT_EQ(voice.plays, 6);
    EXPECT_EQ(voice.clip, "CutScene_1_Panel_6");
    EXPECT_EQ(subtitle.GetAlpha(), 0.0f);
    EXPECT_EQ(band.GetAlpha(), 0.0f);

    int stopsAtLoad = -1;
    world.factory.onLoadLevel = [&](const std::string&) {
        if (stopsAtLoad < 0)
            stopsAtLoad = world.audio.stopAlls;
    };
    NextPanel();
    EXPECT_TRUE(cutscene.finished);
    EXPECT_TRUE(fade.fadingOut);
    EXPECT_THAT(voice.fades, ElementsAre(false));
    // Presses after the finish change nothing.
    NextPanel();
    EXPECT_EQ(cutscene.panel, 7);
    EXPECT_EQ(voice.plays, 6);
    EXPECT_TRUE(world.factory.loadedLevels.empty());

    // The fade's second: five frames have passed since the finish.
    world.Steps(50);
    EXPECT_TRUE(world.factory.loadedLevels.empty());
    world.Steps(5);
    ASSERT_FALSE(world.factory.loadedLevels.empty());
    EXPECT_EQ(world.factory.loadedLevels.front(), "MainMenuLevel");
    EXPECT_EQ(stopsAtLoad, 1);
}

TEST_F(Cutscene2DTest, EachCutsceneHasItsPanelsVoicesCountedFromOneAndSubtitlesFromZero)
{
    struct Case
    {
        int cutscene;
        int panels;
        const char* lastClip;
        const char* lastSubtitle;
    };
    for (const Case& each : {Case{1, 5, "CutScene_2_Panel_5", "Subtitle2D_Cutscene1_5"},
                             Case{2, 5, "CutScene_3_Panel_5", "Subtitle2D_Cutscene2_5"},
                             Case{3, 4, "CutScene_4_Panel_4", "Subtitle2D_Cutscene3_4"}})
    {
        SCOPED_TRACE(each.cutscene);
        FakeWorld world;
        FakeObject& holder = world.Object("CutsceneLogic");
        auto& voice = holder.Add<FakeAudioSource>();
        auto& subtitle = world.Object("Subtitle").Add<FakeImage>();
        world.Object("Cutscene").Add<FakeRectTransform>();
        auto& cutscene = world.Attach<Cutscene2D>(holder);
        cutscene.cutscene = each.cutscene;
        cutscene.nextLevel = "Level2";
        world.Step();
        EXPECT_EQ(cutscene.panelCount, each.panels);
        for (int panel = 1; panel < each.panels; ++panel)
        {
            world.Press(kEnter);
            world.Press(kEnter);
        }
        EXPECT_EQ(voice.clip, each.lastClip);
        EXPECT_EQ(subtitle.material, each.lastSubtitle);
        world.Press(kEnter);
        world.Press(kEnter);
        // Without a fade the level loads in the next frame.
        world.Step();
        EXPECT_THAT(world.factory.loadedLevels, ::testing::Contains("Level2"));
    }
}

TEST_F(Cutscene2DTest, ACutsceneOutsideTheFourIsReportedAndItsFirstConfirmLeaves)
{
    Cutscene2D* cutscene = nullptr;
    const std::string reports = ReportsOf([&] { cutscene = &Begin(4, "Level1"); });
    EXPECT_EQ(CountOf(reports, "Cutscene2D. Cutscene must be 0 to 3"), 1);
    EXPECT_EQ(cutscene->panelCount, 0);
    EXPECT_EQ(voice.plays, 0);
    world.Press(kEnter);
    EXPECT_TRUE(cutscene->finished);
    EXPECT_TRUE(fade.fadingOut);
    world.Steps(60);
    ASSERT_FALSE(world.factory.loadedLevels.empty());
    EXPECT_EQ(world.factory.loadedLevels.front(), "Level1");
}

TEST_F(Cutscene2DTest, WithoutItsAudioSourceThePanelsShowSilently)
{
    FakeWorld silent;
    auto& subtitleImage = silent.Object("Subtitle").Add<FakeImage>();
    silent.Object("Cutscene").Add<FakeRectTransform>();
    auto& cutscene = silent.Attach<Cutscene2D>(silent.Object("CutsceneLogic"));
    silent.Step();
    silent.Press(kEnter);
    silent.Press(kEnter);
    EXPECT_EQ(cutscene.panel, 1);
    EXPECT_EQ(subtitleImage.material, "Subtitle2D_Cutscene0_2");
}
} // namespace
