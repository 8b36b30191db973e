#include "menuworld.h"

#include <limits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using namespace menuworld;

namespace
{
class MainMenuTest : public ::testing::Test
{
protected:
    int RollOvers() const
    {
        return static_cast<int>(std::ranges::count(world.audio.PlayedNames(), "sfx_MenuButtonRollOver"));
    }

    FakeWorld world;
    MainMenuLevel level{world};
};

TEST_F(MainMenuTest, SelectionWrapsAtBothEndsWithTheGlowBesideTheButtonAndARollOverAtTheOrigin)
{
    world.Step();
    EXPECT_EQ(ImageOf(world, "Start Game").material, "UIStart");
    world.Press(kUp);
    EXPECT_EQ(level.menu->selected, 3);
    EXPECT_EQ(level.Glow().position, Vector3(50, -50, 0.25f));
    EXPECT_EQ(ImageOf(world, "Quit Game").material, "UIQuit");
    world.Press(kDown);
    EXPECT_EQ(level.menu->selected, 0);
    EXPECT_EQ(level.Glow().position, Vector3(50, 100, 0.25f));
    ASSERT_EQ(world.audio.played.size(), 2u);
    EXPECT_EQ(world.audio.played[0].name, "sfx_MenuButtonRollOver");
    EXPECT_FLOAT_EQ(world.audio.played[0].volume, 0.2f);
    EXPECT_EQ(world.audio.played[0].position, Vector3());
}

TEST_F(MainMenuTest, AHeldStickStepsOnceThenAgainAfterAQuarterSecond)
{
    world.Step();
    world.input.axes[1] = -1.0f;
    world.Step();
    EXPECT_EQ(RollOvers(), 1);
    world.Steps(14);
    EXPECT_EQ(RollOvers(), 1);
    world.Steps(4);
    EXPECT_EQ(RollOvers(), 2);
    EXPECT_EQ(level.menu->selected, 2);
}

TEST_F(MainMenuTest, StartFadesOutIgnoresInputMeanwhileAndThenLoadsTheFirstCutscene)
{
    auto& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    world.Steps(61);
    world.Press(kEnter);
    EXPECT_TRUE(fade.fadingOut);
    world.Press(kDown);
    world.Press(kEnter);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_MenuButtonClick"));
    EXPECT_TRUE(world.factory.loadedLevels.empty());
    world.Steps(60);
    ASSERT_FALSE(world.factory.loadedLevels.empty());
    EXPECT_EQ(world.factory.loadedLevels.front(), "Cutscene0");
}

TEST_F(MainMenuTest, SettingsHideTheMenuAndOpenBesideGamma)
{
    world.Step();
    world.Press(kDown);
    world.Press(kEnter);
    EXPECT_FALSE(level.menu->active);
    EXPECT_FALSE(ImageOf(world, "Start Game").enabled);
    EXPECT_FALSE(RectOf(world, "MainLogo").enabled);
    EXPECT_TRUE(level.settings->active);
    EXPECT_TRUE(ImageOf(world, "Gamma").enabled);
    EXPECT_TRUE(ImageOf(world, "GammaScroller").enabled);
    EXPECT_EQ(level.Glow().position, Vector3(-100, 150, -0.05f));
    EXPECT_EQ(level.Glow().scale, Vector2(8.0f, 0.7f));
}

TEST_F(MainMenuTest, QuitAsksThePanelAndYesEndsTheProgram)
{
    world.Step();
    world.Press(kUp);
    world.Press(kEnter);
    EXPECT_TRUE(level.panel->visible);
    EXPECT_FALSE(level.panel->returnToMenu);
    EXPECT_EQ(level.Glow().position, Vector3(-300, -50, 0.5f));
    world.Steps(4);
    world.Press(kEnter);
    EXPECT_FALSE(world.core.running);
}

// Keys as a script: d down, u up, e Enter (each a press), . one frame.
void Play(FakeWorld& world, std::string_view keys)
{
    for (const char key : keys)
    {
        if (key == '.')
            world.Step();
        else
            world.Press(key == 'd' ? kDown : key == 'u' ? kUp : kEnter);
    }
}

struct MenuReloadCase
{
    const char* name;
    const char* before;
    const char* after;
    std::int32_t selected;
    bool asked;
    bool running;
};

class MenuReloadTest : public MainMenuTest, public ::testing::WithParamInterface<MenuReloadCase>
{
};

// A reload on any screen of the main menu: that screen goes on taking keys and hands back to the menu, which
// still moves and confirms. A question up at the reload is closed unanswered and can be asked again.
TEST_P(MenuReloadTest, TheScreenUpAtTheReloadGoesOnAndTheMenuStillWorks)
{
    const MenuReloadCase& run = GetParam();
    world.Step();
    Play(world, run.before);
    const std::string reports = ReportsOf([&] { world.HotReload(); });
    EXPECT_EQ(reports, "");
    Play(world, run.after);
    const auto& menu = CurrentScript<MainMenu>(world, "MainMenuCanvas");
    const auto& panel = CurrentScript<ConfirmPanel>(world, "ConfirmPanel");
    EXPECT_EQ(world.core.running, run.running);
    if (!run.running)
        return;
    EXPECT_TRUE(menu.active);
    EXPECT_EQ(menu.selected, run.selected);
    const Vector3 besideButton(50, 100.0f - 50.0f * static_cast<float>(run.selected), 0.25f);
    EXPECT_EQ(level.Glow().position, run.asked ? Vector3(-300, -50, 0.5f) : besideButton);
    EXPECT_TRUE(ImageOf(world, "Start Game").enabled);
    EXPECT_EQ(panel.visible, run.asked);
    EXPECT_EQ(ImageOf(world, "Yes").enabled, run.asked);
    EXPECT_FALSE(ImageOf(world, "Gamma").enabled);
    EXPECT_FALSE(ImageOf(world, "CreditsImage").enabled);
    EXPECT_TRUE(world.factory.loadedLevels.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Screens, MenuReloadTest,
    ::testing::Values(MenuReloadCase{"Menu", "dd", "de", 3, true, true},
                      // The selection the settings were opened from is not kept: the glow was theirs.
                      MenuReloadCase{"Settings", "dedd", "uuued", 1, false, true},
                      // The pages start again from the first.
                      MenuReloadCase{"Credits", "dde....e", ".....eeeed", 3, false, true},
                      // The glow stood at the question: the menu is back at its first button.
                      MenuReloadCase{"Question", "ue", "ue....e", 3, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainMenuStart, ReportsWhatIsMissingAndAMenuWithoutButtonsIgnoresNavigation)
{
    FakeWorld world;
    world.Object("ConfirmPanel");
    auto& menu = world.Attach<MainMenu>(world.Object("MainMenuCanvas"));
    const std::string reports = ReportsOf([&] {
        world.Step();
        world.Press(kDown);
        world.Press(kEnter);
    });
    EXPECT_EQ(CountOf(reports, "MainMenu. Glow cannot be found"), 1);
    EXPECT_EQ(CountOf(reports, "MainMenu. ConfirmPanel cannot be found"), 1);
    EXPECT_EQ(CountOf(reports, "MainMenu. Missing buttons"), 4);
    EXPECT_EQ(menu.selected, 0);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_MenuButtonClick"));
}

// A screen that hands control back in the frame of a confirm press: the menu must not act on that press again,
// whichever of the two updates last.
class SamePressTest : public ::testing::TestWithParam<bool>
{
protected:
    FakeWorld world;
    MainMenuLevel level{world, GetParam()};
};

TEST_P(SamePressTest, BackFromTheSettingsShowsTheMenuOnly)
{
    world.Step();
    world.Press(kDown);
    world.Press(kEnter);
    world.Press(kUp);
    ASSERT_EQ(level.settings->selected, 5);
    world.Press(kEnter);
    EXPECT_FALSE(level.settings->active);
    EXPECT_TRUE(level.menu->active);
    EXPECT_FALSE(ImageOf(world, "Gamma").enabled);
    EXPECT_EQ(level.Glow().position, Vector3(50, 50, 0.25f));
    EXPECT_EQ(level.Glow().scale, Vector2(2.0f, 0.5f));
}

TEST_P(SamePressTest, TheFifthCreditsPressReturnsToTheMenuWithItsGlowAndButtons)
{
    world.Step();
    world.Press(kDown);
    world.Press(kDown);
    world.Press(kEnter);
    EXPECT_TRUE(level.credits->active);
    EXPECT_EQ(ImageOf(world, "CreditsImage").material, "UICredits1");
    EXPECT_FALSE(level.Glow().enabled);
    // The first five frames after opening ignore confirm.
    world.Steps(4);
    for (const char* page : {"UICredits2", "UICredits3", "UICredits4"})
    {
        world.Press(kEnter);
        EXPECT_EQ(ImageOf(world, "CreditsImage").material, page);
    }
    world.Press(kEnter);
    EXPECT_FALSE(level.credits->active);
    EXPECT_FALSE(ImageOf(world, "CreditsImage").enabled);
    EXPECT_TRUE(level.menu->active);
    EXPECT_TRUE(level.Glow().enabled);
    EXPECT_TRUE(ImageOf(world, "Start Game").enabled);
    EXPECT_EQ(level.menu->selected, 2);
}

// The main menu left on the credits for ages: the counter stops at five and the pages still turn.
TEST_F(MainMenuTest, TheCreditsFrameCounterStopsAtItsLimit)
{
    world.Step();
    level.credits->frameCount = std::numeric_limits<std::int32_t>::max();
    world.Steps(3);
    EXPECT_EQ(level.credits->frameCount, 5);
    world.Press(kDown);
    world.Press(kDown);
    world.Press(kEnter);
    ASSERT_TRUE(level.credits->active);
    world.Steps(10);
    EXPECT_EQ(level.credits->frameCount, 5);
    world.Press(kEnter);
    EXPECT_EQ(ImageOf(world, "CreditsImage").material, "UICredits2");
}

TEST_P(SamePressTest, NoOnTheQuitPanelGoesBackToTheMenu)
{
    world.Step();
    world.Press(kUp);
    world.Press(kEnter);
    world.Steps(4);
    world.Press(kRight);
    EXPECT_FALSE(level.panel->yesSelected);
    EXPECT_EQ(level.Glow().position, Vector3(-100, -50, 0.5f));
    world.Press(kEnter);
    EXPECT_FALSE(level.panel->visible);
    EXPECT_FALSE(ImageOf(world, "Yes").enabled);
    EXPECT_EQ(level.Glow().position, Vector3(50, -50, 0.25f));
    EXPECT_EQ(level.Glow().scale, Vector2(2.0f, 0.5f));
    EXPECT_TRUE(world.core.running);
}

INSTANTIATE_TEST_SUITE_P(MenuFirstOrLast, SamePressTest, ::testing::Bool());

TEST(MainMenuVisuals, TheSceneryScrollsAndWrapsBackKeepingHeightAndDepthWhileThePlayerRuns)
{
    FakeWorld world;
    auto& animator = world.Object("Player").Add<FakeAnimator>();
    world.Object("Object 1").Place({39.9f, 2, -3});
    world.Object("Object 2").Place({10, 0, -5});
    world.Object("Object 4").Place({0, 0, 0});
    world.Attach<MainMenuVisuals>(world.Object("Backdrop")).speed = 12.0f;
    world.Step();
    EXPECT_THAT(animator.played, ElementsAre("Run"));
    EXPECT_EQ(world.factory.FindObject("Object 1")->transform.GetPosition(), Vector3(10, 2, -3));
    EXPECT_EQ(world.factory.FindObject("Object 2")->transform.GetPosition(), Vector3(10.2f, 0, -5));
    EXPECT_EQ(world.factory.FindObject("Object 4")->transform.GetPosition(), Vector3());
}

// Reloaded after a wrap, the backdrop goes on scrolling and wraps to where the hindmost piece stands.
TEST(MainMenuVisuals, AReloadedBackdropStillScrollsAndWrapsToTheHindmostPiece)
{
    FakeWorld world;
    world.Object("Object 1").Place({39.9f, 2, -3});
    world.Object("Object 2").Place({10, 0, -5});
    world.Object("Object 3").Place({-20, 1, -4});
    world.Attach<MainMenuVisuals>(world.Object("Backdrop")).speed = 12.0f;
    world.Step();
    world.HotReload();
    world.Step();
    const auto x = [&](const char* name) { return world.factory.FindObject(name)->transform.GetPosition().x; };
    EXPECT_FLOAT_EQ(x("Object 3"), -19.6f);
    world.factory.FindObject("Object 2")->Place({39.9f, 0, -5});
    world.Step();
    EXPECT_EQ(world.factory.FindObject("Object 2")->transform.GetPosition(), Vector3(-20, 0, -5));
}
} // namespace
