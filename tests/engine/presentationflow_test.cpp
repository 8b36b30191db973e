// The presentation scripts on the engine: the splash, the main menu with its settings, credits and quit panel,
// and a playable level's pause menu, driven by keys through the window and read back from engine state.
#include "levelrunner.h"

#include "audiosystem.h"
#include "c_image.h"
#include "graphics.h"
#include "recttransforminterface.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <functional>

namespace
{
// One frame with the key down, one with it up.
void Press(LevelRunner& runner, SDL_Keycode key, int times = 1)
{
    for (int press = 0; press < times; ++press)
    {
        runner.Hold(key);
        runner.Frames(1);
        runner.Let(key);
        runner.Frames(1);
    }
}

bool Shown(LevelRunner& runner, const std::string& name)
{
    const ImageInterface* image = runner.Object(name).GetImage();
    return image && image->IsEnabled();
}

float RectY(LevelRunner& runner, const std::string& name)
{
    return runner.Object(name).GetRectTransform()->GetPosition().y;
}

float RectX(LevelRunner& runner, const std::string& name)
{
    return runner.Object(name).GetRectTransform()->GetPosition().x;
}

// The next button of the menu chosen: its screen shows and the frames that ignore input pass.
void ChooseNext(LevelRunner& runner, const std::string& shows)
{
    Press(runner, SDLK_DOWN);
    Press(runner, SDLK_RETURN);
    EXPECT_TRUE(Shown(runner, shows));
    runner.Frames(6);
}

// The brightness of the canvas point (x, 0), drawn anew into the game's viewport of the window.
int BrightnessAt(LevelRunner& runner, float canvasX)
{
    Graphics& graphics = *runner.GetCore().GetGraphics();
    graphics.PrepareFrame();
    graphics.DrawFrame(graphics.WindowTarget());
    glFinish();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    unsigned char rgba[4] = {};
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadPixels(viewport[0] + static_cast<int>((canvasX + 960.0f) / 1920.0f * static_cast<float>(viewport[2])),
                 viewport[1] + viewport[3] / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0] + rgba[1] + rgba[2];
}

class PresentationFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_UNLESS_LEVELS_CAN_RUN();
    }
};

TEST_F(PresentationFlowTest, SplashMenuSettingsCreditsQuitNoAndStartLeadToTheNextLevel)
{
    LevelRunner runner("presentation", "PresentationSplash");
    runner.Frames(3);
    Press(runner, SDLK_RETURN);
    runner.Frames(2);
    ASSERT_EQ(runner.Factory().GetLevelName(), "MainMenuLevel");
    // The menu waits for its fade-in.
    runner.Frames(62);
    EXPECT_TRUE(Shown(runner, "Start Game"));

    Press(runner, SDLK_DOWN);
    Press(runner, SDLK_RETURN);
    EXPECT_FALSE(Shown(runner, "Start Game"));
    EXPECT_TRUE(Shown(runner, "Gamma"));
    Core& core = runner.GetCore();
    AudioSystem& audio = *core.GetAudio();
    const float gamma = core.GetGamma();
    const float master = audio.GetMasterVolume();
    const float music = audio.GetGroupVolume(Sound::BGM);
    const int greyBefore = BrightnessAt(runner, 700.0f);
    Press(runner, SDLK_RIGHT);
    EXPECT_FLOAT_EQ(core.GetGamma(), gamma + 0.25f);
    EXPECT_NE(BrightnessAt(runner, 700.0f), greyBefore);
    Press(runner, SDLK_DOWN);
    Press(runner, SDLK_LEFT);
    EXPECT_NEAR(audio.GetMasterVolume(), master - 0.1f, 1e-5);
    Press(runner, SDLK_DOWN);
    Press(runner, SDLK_LEFT);
    EXPECT_NEAR(audio.GetGroupVolume(Sound::BGM), music - 0.1f, 1e-5);
    Press(runner, SDLK_DOWN, 3);
    Press(runner, SDLK_RETURN);
    EXPECT_FALSE(Shown(runner, "Gamma"));
    EXPECT_TRUE(Shown(runner, "Start Game"));

    ChooseNext(runner, "CreditsImage");
    Press(runner, SDLK_RETURN, 4);
    EXPECT_FALSE(Shown(runner, "CreditsImage"));
    EXPECT_TRUE(Shown(runner, "Start Game"));

    ChooseNext(runner, "Yes");
    Press(runner, SDLK_RIGHT);
    Press(runner, SDLK_RETURN);
    EXPECT_FALSE(Shown(runner, "Yes"));
    EXPECT_TRUE(core.IsRunning());

    Press(runner, SDLK_DOWN);
    Press(runner, SDLK_RETURN);
    runner.Frames(58);
    EXPECT_EQ(runner.Factory().GetLevelName(), "MainMenuLevel");
    runner.Frames(6);
    EXPECT_EQ(runner.Factory().GetLevelName(), "Cutscene0");
    runner.Frames(2);
    EXPECT_FLOAT_EQ(core.GetGamma(), gamma + 0.25f);
    EXPECT_NEAR(audio.GetMasterVolume(), master - 0.1f, 1e-5);
    EXPECT_NEAR(audio.GetGroupVolume(Sound::BGM), music - 0.1f, 1e-5);
}
TEST_F(PresentationFlowTest, APlayableLevelPausesPagesHowToPlayQuitsToTheMenuAndQuitsTheGame)
{
    LevelRunner runner("presentation", "Cutscene0");
    Core& core = runner.GetCore();
    // The pause trigger waits 15 frames; the level has no fade.
    runner.Frames(16);
    const Vector3 fallingCrate = runner.Position("Crate");
    Press(runner, SDLK_ESCAPE);
    EXPECT_TRUE(core.IsPaused());
    EXPECT_TRUE(Shown(runner, "Resume Game"));
    EXPECT_NE(runner.Position("Crate"), fallingCrate);
    // Physics and every script but the menu's and the panel's wait.
    const Vector3 crate = runner.Position("Crate");
    const Vector3 scenery = runner.Position("Object 1");
    runner.Frames(5);
    EXPECT_EQ(runner.Position("Crate"), crate);
    EXPECT_EQ(runner.Position("Object 1"), scenery);

    // The three signs the player stands in unlocked three pages.
    const auto material = [&](const std::string& name) {
        return runner.Object(name).GetComponent<Image>()->GetMaterial().name;
    };
    Press(runner, SDLK_DOWN);
    EXPECT_TRUE(Shown(runner, "TutorialImage"));
    EXPECT_EQ(material("TutorialImage"), "Tutorial1");
    EXPECT_EQ(material("TutorialImageRight"), "Tutorial2");
    Press(runner, SDLK_RIGHT, 2);
    EXPECT_EQ(material("TutorialImage"), "Tutorial3");
    EXPECT_EQ(material("TutorialImageLeft"), "Tutorial2");
    EXPECT_FLOAT_EQ(runner.Object("TutorialImageRight").GetImage()->GetAlpha(), 0.0f);

    ChooseNext(runner, "Yes");
    Press(runner, SDLK_RETURN);
    runner.Frames(2);
    EXPECT_EQ(runner.Factory().GetLevelName(), "MainMenuLevel");
    EXPECT_FALSE(core.IsPaused());

    runner.Frames(62);
    Press(runner, SDLK_UP);
    Press(runner, SDLK_RETURN);
    runner.Frames(6);
    runner.Hold(SDLK_RETURN);
    runner.Frames(30);
    EXPECT_FALSE(core.IsRunning());
}
struct ReloadedLevelCase
{
    const char* level;
    // Driven by keys after the reload, with what shows that it works.
    std::function<void(LevelRunner&)> drive;
};

class ReloadedPresentationTest : public PresentationFlowTest, public ::testing::WithParamInterface<ReloadedLevelCase>
{
};

// Each shipped menu and presentation level reloaded once its fade-in is over: nothing is reported missing, the
// cover stays off the scene, and the level still answers its keys.
TEST_P(ReloadedPresentationTest, StillAnswersItsKeys)
{
    LevelRunner runner("", GetParam().level);
    runner.Frames(64);
    runner.ReinstallLibrary();
    testing::internal::CaptureStderr();
    runner.Frames(4);
    const std::string reports = testing::internal::GetCapturedStderr();
    EXPECT_EQ(reports.find("ASSERT"), std::string::npos) << reports;
    EXPECT_FLOAT_EQ(runner.Object("Fade").GetImage()->GetAlpha(), 0.0f);
    GetParam().drive(runner);
    EXPECT_EQ(runner.Factory().GetLevelName(), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(
    ShippedLevels, ReloadedPresentationTest,
    ::testing::Values(ReloadedLevelCase{"MainMenuLevel",
                                        [](LevelRunner& runner) {
                                            Press(runner, SDLK_DOWN);
                                            Press(runner, SDLK_RETURN);
                                            EXPECT_TRUE(Shown(runner, "Gamma"));
                                            EXPECT_FALSE(Shown(runner, "Start Game"));
                                        }},
                      ReloadedLevelCase{"Cutscene0",
                                        [](LevelRunner& runner) {
                                            const float before = RectX(runner, "Cutscene");
                                            Press(runner, SDLK_RETURN);
                                            runner.Frames(10);
                                            EXPECT_LT(RectX(runner, "Cutscene"), before) << "on to the next panel";
                                        }},
                      ReloadedLevelCase{"CreditsRoll",
                                        [](LevelRunner& runner) {
                                            Press(runner, SDLK_RETURN);
                                            const float before = RectY(runner, "Panel1");
                                            runner.Frames(10);
                                            EXPECT_NEAR(RectY(runner, "Panel1") - before, 50.0f, 1e-2f);
                                        }},
                      ReloadedLevelCase{"TombLevel2",
                                        [](LevelRunner& runner) {
                                            // The trigger counts its 15 frames again.
                                            runner.Frames(16);
                                            Press(runner, SDLK_ESCAPE);
                                            EXPECT_TRUE(runner.GetCore().IsPaused());
                                            Press(runner, SDLK_DOWN, 2);
                                            Press(runner, SDLK_RETURN);
                                            EXPECT_TRUE(Shown(runner, "Yes")) << "quit to the menu asked";
                                        }}),
    [](const auto& info) { return std::string(info.param.level); });
} // namespace
