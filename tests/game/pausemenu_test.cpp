#include "menuworld.h"

#include "playerpref.h"

#include <limits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace menuworld;

namespace
{
constexpr std::uint32_t kStartButton = 16;

class PauseMenuTest : public ::testing::Test
{
protected:
    // Past the trigger's first 15 frames, then a whole Escape press.
    void OpenMenu()
    {
        world.Steps(16);
        world.Press(kEscape);
        ASSERT_TRUE(level.menu->open);
    }
    // Down to the button and confirm; the panel's first five frames pass.
    void ConfirmButton(int index)
    {
        for (int step = 0; step < index; ++step)
            world.Press(kDown);
        world.Press(kEnter);
        world.Steps(4);
    }

    FakeWorld world;
    PauseLevel level{world};
};

TEST_F(PauseMenuTest, EscapeOpensAfterFifteenFramesAndTogglesOnlyWithFifteenFramesBetween)
{
    world.Step();
    world.Press(kEscape);
    EXPECT_FALSE(level.menu->open);
    OpenMenu();
    EXPECT_TRUE(world.core.paused);
    EXPECT_TRUE(ImageOf(world, "Background").enabled);
    EXPECT_TRUE(ImageOf(world, "Resume Game").enabled);
    EXPECT_EQ(level.Glow().position, Vector3(-100, 100, 0.05f));
    EXPECT_EQ(level.Glow().scale, Vector2(6.0f, 0.7f));
    world.Press(kEscape);
    EXPECT_TRUE(level.menu->open);
    world.Steps(14);
    world.Press(kEscape);
    EXPECT_FALSE(level.menu->open);
    EXPECT_FALSE(world.core.paused);
    EXPECT_FALSE(ImageOf(world, "Background").enabled);
    EXPECT_FALSE(level.Glow().enabled);
}

TEST_F(PauseMenuTest, ALongEscapeThatClosesTheMenuDoesNotReopenIt)
{
    OpenMenu();
    world.Steps(16);
    world.input.Hold(kEscape);
    world.Steps(20);
    EXPECT_FALSE(level.menu->open);
    world.input.Release(kEscape);
    world.Steps(2);
    EXPECT_FALSE(level.menu->open);
    world.Press(kEscape);
    EXPECT_TRUE(level.menu->open);
}

TEST_F(PauseMenuTest, TheGamepadStartButtonOpensTheMenuButNotWhileAFadeOrACutsceneCameraRuns)
{
    auto& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    FakeObject& cameraObject = world.Object("CutsceneCamera");
    cameraObject.active = false;
    auto& camera = world.Attach<CutsceneCamera>(cameraObject);
    world.input.gamepadConnected = true;
    world.Steps(20);
    world.input.HoldButton(kStartButton);
    world.Step();
    world.input.ReleaseButton(kStartButton);
    EXPECT_FALSE(level.menu->open);
    world.Steps(45);
    ASSERT_FALSE(fade.IsRunning());
    camera.active = true;
    world.input.HoldButton(kStartButton);
    world.Step();
    world.input.ReleaseButton(kStartButton);
    world.Step();
    EXPECT_FALSE(level.menu->open);
    camera.active = false;
    world.input.HoldButton(kStartButton);
    world.Step();
    EXPECT_TRUE(level.menu->open);
}

TEST_F(PauseMenuTest, QuitToMainMenuLocksMeleeAndBlinkStoresTheDefaultHealthAndLoadsTheMenuUnpaused)
{
    world.Step();
    PlayerPref::SetInt("maxHealth", 6);
    PlayerPref::SetInt("currHealth", 2);
    PlayerPref::SetInt("unlockedMelee", 1);
    PlayerPref::SetInt("unlockedBlink", 1);
    PlayerPref::SetInt("unlockedTutorialCount", 3);
    OpenMenu();
    ConfirmButton(2);
    ASSERT_TRUE(level.panel->visible);
    EXPECT_TRUE(level.panel->returnToMenu);
    world.Press(kEnter);
    EXPECT_FALSE(world.core.paused);
    EXPECT_EQ(PlayerPref::GetInt("unlockedMelee"), 0);
    EXPECT_EQ(PlayerPref::GetInt("unlockedBlink"), 0);
    EXPECT_EQ(PlayerPref::GetInt("maxHealth"), 3);
    EXPECT_EQ(PlayerPref::GetInt("currHealth"), 3);
    EXPECT_EQ(PlayerPref::GetInt("unlockedTutorialCount"), 0);
    ASSERT_FALSE(world.factory.loadedLevels.empty());
    EXPECT_EQ(world.factory.loadedLevels.front(), "MainMenuLevel");
}

TEST_F(PauseMenuTest, YesOnQuitGameEndsTheProgramAndThePanelIgnoresItsFirstFiveFrames)
{
    OpenMenu();
    for (int step = 0; step < 3; ++step)
        world.Press(kDown);
    world.Press(kEnter);
    EXPECT_EQ(world.audio.played.back().name, "sfx_PauseMenuPopUp");
    EXPECT_FLOAT_EQ(world.audio.played.back().volume, 0.1f);
    world.Press(kRight);
    EXPECT_TRUE(level.panel->yesSelected);
    world.Press(kEnter);
    EXPECT_TRUE(world.core.running);
    world.Step();
    world.Press(kEnter);
    EXPECT_FALSE(world.core.running);
}

TEST_F(PauseMenuTest, AfterAHotReloadThePausedMenuStillMovesAndConfirms)
{
    OpenMenu();
    world.Press(kDown);
    // The fixture's player has no icons; the menus find everything.
    const std::string reports = ReportsOf([&] { world.HotReload(); });
    EXPECT_EQ(CountOf(reports, "PauseMenu"), 0) << reports;
    EXPECT_EQ(CountOf(reports, "PauseTrigger"), 0) << reports;
    const auto& menu = CurrentScript<PauseMenu>(world, "PauseMenuCanvas");
    EXPECT_TRUE(menu.open);
    EXPECT_EQ(menu.selected, 1);
    world.Press(kDown);
    EXPECT_EQ(level.Glow().position, Vector3(-100, 0, 0.05f));
    world.Press(kEnter);
    world.Steps(4);
    world.Press(kEnter);
    ASSERT_FALSE(world.factory.loadedLevels.empty());
    EXPECT_EQ(world.factory.loadedLevels.front(), "MainMenuLevel");
}

// Shown means drawn: the glow's image as well as its rect transform, through the menu and its question.
TEST_F(PauseMenuTest, TheGlowIsDrawnBesideTheSelectedButtonAndTheSelectedAnswer)
{
    const auto drawn = [this] { return level.Glow().enabled && ImageOf(world, "Glow").enabled; };
    world.Step();
    EXPECT_FALSE(drawn());
    OpenMenu();
    EXPECT_TRUE(drawn());
    world.Press(kDown);
    EXPECT_EQ(level.Glow().position, Vector3(-100, 50, 0.05f));
    world.Press(kDown);
    world.Press(kEnter);
    EXPECT_TRUE(drawn());
    EXPECT_EQ(level.Glow().position, Vector3(-300, -50, 0.5f));
    world.Steps(5);
    world.Press(kRight);
    EXPECT_EQ(level.Glow().position, Vector3(-100, -50, 0.5f));
    EXPECT_TRUE(drawn());
    world.Press(kEnter);
    world.Steps(16);
    world.Press(kEscape);
    EXPECT_FALSE(drawn());
}

struct LeaveQuestionCase
{
    const char* name;
    int button;
    bool gamepad;
};

class LeaveQuestionTest : public PauseMenuTest, public ::testing::WithParamInterface<LeaveQuestionCase>
{
protected:
    void Leave()
    {
        if (!GetParam().gamepad)
        {
            world.Press(kEscape);
            return;
        }
        world.input.HoldButton(kStartButton);
        world.Step();
        world.input.ReleaseButton(kStartButton);
        world.Step();
    }
};

// Leaving the menu while it asks closes the question unanswered; the next Enter resumes the game again.
TEST_P(LeaveQuestionTest, LeavingTheMenuOverTheQuestionClosesItUnanswered)
{
    world.input.gamepadConnected = GetParam().gamepad;
    OpenMenu();
    ConfirmButton(GetParam().button);
    ASSERT_TRUE(level.panel->visible);
    world.Steps(16);
    Leave();
    EXPECT_FALSE(level.menu->open);
    EXPECT_FALSE(world.core.paused);
    EXPECT_FALSE(level.panel->visible);
    for (const char* name : {"ConfirmPanel", "ConfirmText", "Yes", "No"})
        EXPECT_FALSE(ImageOf(world, name).enabled) << name;
    world.Steps(16);
    Leave();
    ASSERT_TRUE(level.menu->open);
    world.Steps(2);
    world.Press(kEnter);
    EXPECT_FALSE(level.menu->open);
    EXPECT_FALSE(level.panel->visible);
    EXPECT_TRUE(world.core.running);
    EXPECT_TRUE(world.factory.loadedLevels.empty());
}

INSTANTIATE_TEST_SUITE_P(Questions, LeaveQuestionTest,
                         ::testing::Values(LeaveQuestionCase{"QuitToMenuEscape", 2, false},
                                           LeaveQuestionCase{"QuitGameEscape", 3, false},
                                           LeaveQuestionCase{"QuitGameStart", 3, true}),
                         [](const ::testing::TestParamInfo<LeaveQuestionCase>& info) { return info.param.name; });

// The game-over screen keeps its cover opaque without a fade running; a pause under it would take the Enter
// meant for "Continue".
TEST_F(PauseMenuTest, NoPauseWhileThePlayerLiesDeadOrTheCoverHidesTheGame)
{
    PlayerPref::SetInt("currHealth", 3);
    FakeObject& player = *world.factory.FindObject("Player");
    player.Add<FakeRigidBody>();
    player.Add<FakeAnimator>();
    auto& controller = world.Attach<PlayerController>(player);
    world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    FakeImage& cover = UiObject(world, "Fade").Get<FakeImage>();
    world.Steps(70);
    ASSERT_FLOAT_EQ(cover.GetAlpha(), 0.0f);
    controller.playerState = PlayerController::kDead;
    world.Press(kEscape);
    EXPECT_FALSE(level.menu->open);
    controller.playerState = PlayerController::kIdle;
    cover.SetAlpha(1.0f);
    world.Press(kEscape);
    EXPECT_FALSE(level.menu->open);
    cover.SetAlpha(0.0f);
    world.Press(kEscape);
    EXPECT_TRUE(level.menu->open);
}

// A level left running for ages: the counters stop at what they are compared with instead of overflowing.
TEST_F(PauseMenuTest, FrameCountersStopAtTheirLimits)
{
    world.Step();
    level.menu->frameCount = std::numeric_limits<std::int32_t>::max();
    world.Steps(3);
    EXPECT_EQ(level.menu->frameCount, 16);
    world.Press(kEscape);
    ASSERT_TRUE(level.menu->open);
    world.Press(kDown);
    world.Press(kDown);
    world.Press(kDown);
    world.Press(kEnter);
    world.Steps(100);
    EXPECT_EQ(level.menu->frameCount, 16);
    EXPECT_EQ(level.panel->frameCount, 5);
    world.Press(kLeft);
    EXPECT_FALSE(level.panel->yesSelected);
}

class PanelNoTest : public ::testing::TestWithParam<bool>
{
protected:
    FakeWorld world;
    PauseLevel level{world, GetParam()};
};

TEST_P(PanelNoTest, NoHandsTheGlowBackToThePauseMenuWhichIgnoresThatPress)
{
    world.Steps(16);
    world.Press(kEscape);
    for (int step = 0; step < 3; ++step)
        world.Press(kDown);
    world.Press(kEnter);
    world.Steps(4);
    world.Press(kLeft);
    EXPECT_FALSE(level.panel->yesSelected);
    world.Press(kEnter);
    EXPECT_FALSE(level.panel->visible);
    EXPECT_FALSE(ImageOf(world, "No").enabled);
    EXPECT_TRUE(level.menu->open);
    EXPECT_EQ(level.Glow().position, Vector3(-100, -50, 0.05f));
    EXPECT_EQ(level.Glow().scale, Vector2(6.0f, 0.7f));
    EXPECT_TRUE(world.core.running);
}

INSTANTIATE_TEST_SUITE_P(MenuFirstOrLast, PanelNoTest, ::testing::Bool());

struct PagingCase
{
    int unlocked;
    bool gamepad;
};

class PagingTest : public PauseMenuTest, public ::testing::WithParamInterface<PagingCase>
{
};

// The pages at most five, the side pictures the neighbours at alpha 0.5 and hidden at the ends; turning right
// past the last wraps to the first, left from the first to the last.
TEST_P(PagingTest, HowToPlayPagesThroughTheUnlockedPictures)
{
    const auto [unlocked, gamepad] = GetParam();
    world.input.gamepadConnected = gamepad;
    PlayerPref::SetInt("unlockedTutorialCount", unlocked);
    OpenMenu();
    world.Press(kDown);
    const int pages = std::min(unlocked, 5);
    const auto& names = gamepad ? level.menu->controllerPages : level.menu->keyboardPages;
    FakeImage& left = ImageOf(world, "TutorialImageLeft");
    FakeImage& center = ImageOf(world, "TutorialImage");
    FakeImage& right = ImageOf(world, "TutorialImageRight");
    EXPECT_EQ(center.enabled, pages > 0);
    for (int turn = 0; turn <= pages; ++turn)
    {
        const int page = pages > 0 ? turn % pages : 0;
        SCOPED_TRACE("page " + std::to_string(page));
        EXPECT_EQ(level.menu->page, page);
        EXPECT_EQ(center.material, pages > 0 ? names[static_cast<std::size_t>(page)] : "");
        if (page > 0)
        {
            EXPECT_EQ(left.material, names[static_cast<std::size_t>(page - 1)]);
        }
        EXPECT_FLOAT_EQ(left.GetAlpha(), page > 0 ? 0.5f : (pages > 0 ? 0.0f : 1.0f));
        EXPECT_FLOAT_EQ(right.GetAlpha(), page < pages - 1 ? 0.5f : (pages > 0 ? 0.0f : 1.0f));
        world.Press(kRight);
    }
    world.Press(kLeft);
    world.Press(kLeft);
    EXPECT_EQ(level.menu->page, std::max(pages - 1, 0));
}

INSTANTIATE_TEST_SUITE_P(Unlocked, PagingTest,
                         ::testing::Values(PagingCase{0, false}, PagingCase{1, false}, PagingCase{3, false},
                                           PagingCase{3, true}, PagingCase{7, false}, PagingCase{7, true}),
                         [](const ::testing::TestParamInfo<PagingCase>& info) {
                             return std::to_string(info.param.unlocked) + (info.param.gamepad ? "Gamepad" : "Keyboard");
                         });

TEST(SendPause, EscapeReleasedTogglesThePausedFlagAndSaysSo)
{
    FakeWorld world;
    world.Attach<SendPause>(world.Object("Debug"));
    world.Step();
    testing::internal::CaptureStdout();
    world.Press(kEscape);
    EXPECT_TRUE(world.core.paused);
    world.Object("Debug2", kRunWhenPausedTag);
    world.Attach<SendPause>(*world.factory.FindObject("Debug2"));
    world.Press(kEscape);
    EXPECT_FALSE(world.core.paused);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "PRESSED 0 : 1\nPRESSED 0 : 0\n");
}
} // namespace
