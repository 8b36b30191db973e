#include "mainwindow.h"

#include "enginesystems.h"
#include "recordingsystem.h"

#include <SDL2/SDL.h>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
using platform::Event;
using platform::EventType;

Event Make(EventType type, int x = 0, int y = 0)
{
    Event event;
    event.type = type;
    event.x = x;
    event.y = y;
    return event;
}

Event Key(std::uint16_t key, bool down)
{
    Event event = Make(EventType::Key);
    event.key = key;
    event.down = down;
    return event;
}

Event Activate(bool active)
{
    Event event = Make(EventType::Activate);
    event.down = active;
    return event;
}

class WindowProcTest : public ::testing::Test
{
protected:
    void Handle(const Event& event) { WindowProc(mainWindow, core, event); }

    MainWindow mainWindow;
    Core core{EngineSystemsWithoutWindow()};
    InputSystem& input = *core.GetInput();
};
}

TEST_F(WindowProcTest, KeysMouseAndWheelGoToTheInputSystem)
{
    Handle(Key('W', true));
    Handle(Key(1, true));
    Handle(Make(EventType::MouseMotion, 4, -2));
    Handle(Make(EventType::MouseMotion, 6, -3));
    Event wheel = Make(EventType::Wheel);
    wheel.wheel = -120;
    Handle(wheel);
    EXPECT_TRUE(input.IsKeyPressed('W'));
    EXPECT_TRUE(input.IsMousePressed(0));
    EXPECT_EQ(input.GetWheel(), -120.0f);
    input.EndFrame();
    EXPECT_NEAR(input.GetMouseDelta().x, 7.0f, 1e-5f);
    EXPECT_NEAR(input.GetMouseDelta().y, -3.5f, 1e-5f);

    Handle(Key('W', false));
    EXPECT_TRUE(input.IsKeyReleased('W'));
}

TEST_F(WindowProcTest, LosingTheFocusPausesAudioAndReleasesKeysRegainingResumes)
{
    Handle(Key(16, true));
    input.EndFrame();
    Handle(Activate(false));
    EXPECT_TRUE(core.GetAudio()->IsMasterPaused());
    EXPECT_TRUE(input.IsKeyReleased(16));

    Handle(Key('A', true));
    Handle(Activate(true));
    EXPECT_FALSE(core.GetAudio()->IsMasterPaused());
    EXPECT_FALSE(input.IsKeyPressed('A'));

    // Read from the event, not toggled: a repeated loss keeps the audio paused.
    Handle(Activate(false));
    Handle(Activate(false));
    EXPECT_TRUE(core.GetAudio()->IsMasterPaused());
}

TEST_F(WindowProcTest, ResizingSetsTheGameViewportOutsideTheEditorOnly)
{
    Handle(Make(EventType::Size, 1000, 500));
    EXPECT_EQ(mainWindow.clientWidth, 1000);
    EXPECT_EQ(mainWindow.clientHeight, 500);
    EXPECT_FLOAT_EQ(mainWindow.aspect, 2.0f);
    EXPECT_EQ(core.GetGraphics()->GameViewportSize(), std::make_pair(1000, 500));

    // The editor's scene view sizes both views to its picture.
    const auto editorView = core.GetGraphics()->EditorViewportSize();
    core.SetEditorMode(true);
    Handle(Make(EventType::Size, 800, 600));
    EXPECT_EQ(mainWindow.clientWidth, 800);
    EXPECT_EQ(core.GetGraphics()->EditorViewportSize(), editorView);
    EXPECT_EQ(core.GetGraphics()->GameViewportSize(), std::make_pair(1000, 500));
}

TEST_F(WindowProcTest, AMinimisedWindowsZeroSizeIsIgnored)
{
    Handle(Make(EventType::Size, 0, 0));
    Handle(Make(EventType::Size, 640, 0));
    EXPECT_EQ(mainWindow.clientWidth, 1280);
    EXPECT_EQ(mainWindow.clientHeight, 800);
    EXPECT_FLOAT_EQ(mainWindow.aspect, 1.6f);
    EXPECT_EQ(core.GetGraphics()->GameViewportSize(), std::make_pair(1280, 800));
}

TEST_F(WindowProcTest, MovingTheWindowKeepsTheTimeOutOfTheNextFrame)
{
    core.SetTargetFrameRate(60.0f);
    Handle(Make(EventType::Move, 10, 10));
    EXPECT_FLOAT_EQ(core.GetFrameTime(), 1.0f / 60.0f);
}

TEST(MainWindowEvents, InjectedKeyIsTriggeredPressedAndReleasedOverThreeFrames)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
    MainWindow mainWindow;
    ASSERT_TRUE(CreateMainWindow(mainWindow, "Nektaru test")) << mainWindow.window->Error();
    EXPECT_EQ(gMainWindow, &mainWindow);
    std::vector<std::string> seen, log;
    InputSystem* input = nullptr;
    // The scripts' view of the key, in the middle of each frame.
    Core core(EngineSystemsWithoutWindow([&] {
                  auto scripts = std::make_unique<RecordingSystem>(SystemId::Logic, log);
                  scripts->onUpdate = [&] {
                      seen.push_back(input->IsKeyTriggered(32)   ? "triggered"
                                     : input->IsKeyReleased(32) ? "released"
                                     : input->IsKeyPressed(32)  ? "pressed"
                                                                : "up");
                  };
                  return scripts;
              }),
              mainWindow.window.get());
    input = core.GetInput();
    mainWindow.window->SetEventHandler([&](const Event& event) { WindowProc(mainWindow, core, event); });
    // Left hidden: a shown window would take focus events from the other tests' windows on this display.
    auto push = [](Uint32 type) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = SDLK_SPACE;
        SDL_PushEvent(&event);
    };
    for (Uint32 type : {Uint32{SDL_KEYDOWN}, Uint32{0}, Uint32{SDL_KEYUP}})
    {
        if (type)
            push(type);
        core.PumpMessages();
        core.Frame();
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"triggered", "pressed", "released"}));

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    core.PumpMessages();
    EXPECT_FALSE(core.IsRunning());
}

TEST_F(WindowProcTest, ThePlayStateLocksAndCapturesTheCursor)
{
    core.SetPlaying(true);
    EXPECT_TRUE(input.IsCursorLocked());
    EXPECT_TRUE(input.IsCursorCaptured());
    core.SetPlaying(false);
    EXPECT_FALSE(input.IsCursorLocked());
    EXPECT_FALSE(input.IsCursorCaptured());
}
