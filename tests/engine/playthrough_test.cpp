// The whole game, played by the program's own start-up on a copy of the built tree: from the splash through the
// menus, the three tomb levels and the four cutscenes to the rolling credits and back, then quit from the menu.
// Frames run at a fixed 1/60 s; a press is one frame down, presses six frames apart.
#include "audiosystem.h"
#include "camerainterface.h"
#include "gameobjectinterface.h"
#include "imageinterface.h"
#include "core.h"
#include "fixedsteps.h"
#include "graphics.h"
#include "inputsystem.h"
#include "levelrunner.h"
#include "objectfactory.h"
#include "privatedisplay.h"
#include "program.h"
#include "tempfolder.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

namespace
{
namespace fs = std::filesystem;

constexpr int kSecond = 60;
constexpr std::uint16_t kEnter = 13, kEscape = 27, kCtrl = 17, kBackspace = 8, kN = 78, kW = 87;
constexpr std::uint16_t kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kWidth = 160, kHeight = 100;

// Drives the program one fixed frame at a time and watches what it shows.
class Player
{
public:
    explicit Player(Core& core) : core_(core), input_(*core.GetInput()) {}

    void Frame()
    {
        RunFixedSteps(core_, 1);
        ++frames_;
        const std::string level = Level();
        if (level != lastLevel_)
        {
            lastLevel_ = level;
            levels.push_back(level);
            loadedAt_ = frames_;
        }
        // A frame some time after each load shows the level, not one flat colour.
        if (frames_ - loadedAt_ == kSecond * 3 / 2)
        {
            EXPECT_FALSE(FrameIsOneColour()) << level;
        }
    }
    void Frames(int count)
    {
        for (int n = 0; n < count && core_.IsRunning(); ++n)
            Frame();
    }
    void Hold(std::uint16_t key, bool down) { input_.SetKey(key, down); }
    // Down for one frame, then five frames up.
    void Press(std::uint16_t key, int times = 1)
    {
        for (int n = 0; n < times; ++n)
        {
            Hold(key, true);
            Frame();
            Hold(key, false);
            Frames(5);
        }
    }
    // Runs frames until the condition holds, at most limit frames; whether it held.
    bool Until(const std::function<bool()>& condition, int limit)
    {
        for (int n = 0; n < limit && core_.IsRunning(); ++n)
        {
            if (condition())
                return true;
            Frame();
        }
        return condition();
    }
    bool UntilLevel(const std::string& level, int limit)
    {
        return Until([&] { return Level() == level; }, limit);
    }
    // Presses key until the level loads, at most times presses; the presses it took.
    int PressUntilLevel(std::uint16_t key, const std::string& level, int times)
    {
        int presses = 0;
        while (Level() != level && presses < times && core_.IsRunning())
        {
            Press(key);
            ++presses;
        }
        return UntilLevel(level, 2 * kSecond) ? presses : -1;
    }
    std::string Level() const { return gFactory ? gFactory->GetLevelName() : std::string(); }
    std::string GameCamera() const
    {
        const CameraInterface* camera = core_.GetGraphics()->GetGameCamera();
        return camera ? camera->GetGameObject()->GetName() : std::string();
    }
    int FramesRun() const { return frames_; }

    std::vector<std::string> levels;

private:
    static bool FrameIsOneColour()
    {
        std::vector<unsigned char> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4);
        glReadBuffer(GL_FRONT);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glReadBuffer(GL_BACK);
        for (std::size_t n = 4; n < rgba.size(); n += 4)
            if (rgba[n] != rgba[0] || rgba[n + 1] != rgba[1] || rgba[n + 2] != rgba[2])
                return false;
        return true;
    }

    Core& core_;
    InputSystem& input_;
    int frames_ = 0;
    int loadedAt_ = 0;
    std::string lastLevel_;
};

// The game's settings the menu changed hold in every level.
void ExpectSettingsKept(Core& core, const std::string& where)
{
    EXPECT_FLOAT_EQ(core.GetGamma(), 1.75f) << where;
    EXPECT_FLOAT_EQ(core.GetAudio()->GetGroupVolume(Sound::BGM), 0.5f) << where;
}

void PlayTheGame(Core& core)
{
    Player player(core);
    // 1. The splash holds about five seconds by itself.
    player.Frame();
    EXPECT_EQ(player.Level(), "SplashCalvorn");
    ASSERT_TRUE(player.UntilLevel("MainMenuLevel", 5 * kSecond + 5));
    EXPECT_GE(player.FramesRun(), 5 * kSecond - 5);

    // 2. Settings, credits, the quit question, then start.
    player.Frames(kSecond + 10);
    player.Press(kDown);
    player.Press(kEnter);
    player.Press(kRight, 2);
    EXPECT_FLOAT_EQ(core.GetGamma(), 1.75f);
    player.Press(kDown, 2);
    player.Press(kLeft, 5);
    EXPECT_FLOAT_EQ(core.GetAudio()->GetGroupVolume(Sound::BGM), 0.5f);
    player.Press(kDown, 3);
    player.Press(kEnter);
    player.Press(kDown);
    player.Press(kEnter);
    player.Press(kEnter, 4);
    player.Press(kDown);
    player.Press(kEnter);
    player.Press(kRight);
    player.Press(kEnter);
    EXPECT_TRUE(core.IsRunning());
    player.Press(kDown);
    player.Press(kEnter);
    ASSERT_TRUE(player.UntilLevel("Cutscene0", 2 * kSecond));

    // 3. The story so far.
    EXPECT_GE(player.PressUntilLevel(kEnter, "TombLevel1", 20), 0);
    ExpectSettingsKept(core, "TombLevel1");

    // 4. Pause and look at the first page, then walk the hall through its cutscene to the exit.
    player.Frames(2 * kSecond);
    player.Press(kEscape);
    EXPECT_TRUE(core.IsPaused());
    player.Press(kDown);
    const GameObject* page = gFactory->FindObject("TutorialImage");
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->GetImage()->IsEnabled());
    player.Frames(20 - 12);
    player.Press(kEscape);
    EXPECT_FALSE(core.IsPaused());
    player.Hold(kW, true);
    EXPECT_TRUE(player.Until([&] { return player.GameCamera() == "Shot 1"; }, 10 * kSecond));
    EXPECT_TRUE(player.Until(
        [&] {
            if (player.GameCamera() == "Camera")
                return true;
            player.Press(kEnter);
            return false;
        },
        20 * kSecond));
    EXPECT_TRUE(player.UntilLevel("Cutscene1", 30 * kSecond));
    player.Hold(kW, false);

    // 5. The next two levels by their shortcuts, the final sequence hurried along, the credits by themselves.
    EXPECT_GE(player.PressUntilLevel(kEnter, "TombLevel2", 20), 0);
    player.Frames(kSecond);
    player.Hold(kCtrl, true);
    player.Press(kN);
    player.Hold(kCtrl, false);
    ASSERT_TRUE(player.UntilLevel("Cutscene2", 3 * kSecond));
    EXPECT_GE(player.PressUntilLevel(kEnter, "TombBoss", 20), 0);
    player.Frames(kSecond);
    player.Hold(kCtrl, true);
    player.Press(kBackspace);
    player.Hold(kCtrl, false);
    EXPECT_GE(player.PressUntilLevel(kEnter, "Cutscene3", 60), 0);
    EXPECT_GE(player.PressUntilLevel(kEnter, "CreditsRoll", 20), 0);
    ASSERT_TRUE(player.UntilLevel("MainMenuLevel", 20 * kSecond));
    ExpectSettingsKept(core, "MainMenuLevel");

    // 6. Quit from the menu.
    player.Frames(kSecond + 10);
    player.Press(kUp);
    player.Press(kEnter);
    player.Press(kEnter);
    EXPECT_FALSE(core.IsRunning());
    EXPECT_EQ(player.levels,
              (std::vector<std::string>{"SplashCalvorn", "MainMenuLevel", "Cutscene0", "TombLevel1", "Cutscene1",
                                        "TombLevel2", "Cutscene2", "TombBoss", "Cutscene3", "CreditsRoll",
                                        "MainMenuLevel"}));
}
} // namespace

TEST(Playthrough, FromTheSplashThroughEveryLevelToTheCreditsAndOut)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
    // A display of its own: the frames are read from the window's front buffer, which other tests' windows on a
    // shared display may cover.
    static PrivateDisplay* const display = new PrivateDisplay;
    ASSERT_TRUE(display->IsOpen()) << "Xvfb did not start";
    setenv("DISPLAY", display->Name().c_str(), 1);
    // The runner's window keeps the GL driver loaded past the program's shut-down, for the leak check.
    LevelRunner::SharedWindow();
    TempFolder root;
    const fs::path built = fs::path(NEKTARU_ASSETS_ROOT);
    fs::create_directories(root.Path() / "Bin");
    fs::copy(built / "Assets", root.Path() / "Bin/Assets", fs::copy_options::recursive);
    fs::copy_file(GAME_LIBRARY_PATH, root.Path() / "Bin/Game.so");
    fs::create_directories(root.Path() / "home");
    setenv("HOME", (root.Path() / "home").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", "", 1);

    testing::internal::CaptureStderr();
    const char* const arguments[] = {"Nektaru"};
    const ProgramSetup setup{(root.Path() / "Bin").string() + "/", kWidth, kHeight, false, PlayTheGame,
                             NEKTARU_IMPORTER_PATH};
    EXPECT_EQ(RunProgram(arguments, setup), 0);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.find("ASSERT"), std::string::npos) << errors;
}
