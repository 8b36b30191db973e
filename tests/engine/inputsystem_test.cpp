#include "inputsystem.h"

#include "virtualpad.h"

#include "platform/window.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace
{
namespace Button = platform::GamepadButton;

class InputSystemTest : public ::testing::Test
{
protected:
    // One frame as Core runs it: update first, the frame's work, the frame end last.
    void Frame()
    {
        input.Update();
        input.EndFrame();
    }

    float frameTime = 1.0f / 60.0f;
    InputSystem input{nullptr, [this] { return frameTime; }};
};

struct KeyView
{
    bool triggered, pressed, released;
    bool operator==(const KeyView&) const = default;
};

KeyView ViewKey(InputSystem& input, std::uint16_t key)
{
    return {input.IsKeyTriggered(key), input.IsKeyPressed(key), input.IsKeyReleased(key)};
}

KeyView ViewMouse(InputSystem& input, std::uint32_t button)
{
    return {input.IsMouseTriggered(button), input.IsMousePressed(button), input.IsMouseReleased(button)};
}
}

TEST_F(InputSystemTest, AKeyIsTriggeredThenHeldThenReleased)
{
    const KeyView triggered{true, true, false}, held{false, true, false}, released{false, false, true},
        idle{false, false, false};

    input.SetKey('R', true);
    input.Update();
    EXPECT_EQ(ViewKey(input, 'R'), triggered);
    input.EndFrame();
    input.Update();
    EXPECT_EQ(ViewKey(input, 'R'), held);
    input.EndFrame();
    input.SetKey('R', false);
    input.Update();
    EXPECT_EQ(ViewKey(input, 'R'), released);
    input.EndFrame();
    input.Update();
    EXPECT_EQ(ViewKey(input, 'R'), idle);
}

TEST_F(InputSystemTest, ATapShorterThanAFrameIsStillTriggeredThenReleased)
{
    // A slow frame can hold a whole key press; the game must not miss it.
    const KeyView triggered{true, true, false}, held{false, true, false}, released{false, false, true},
        idle{false, false, false};
    const struct
    {
        std::vector<bool> events;
        std::vector<KeyView> frames;
    } cases[] = {
        {{true, false}, {triggered, released, idle}},
        {{true, false, true}, {triggered, held, held}},
        {{true, false, true, false}, {triggered, released, idle}},
    };
    for (const auto& [events, frames] : cases)
    {
        InputSystem fresh{nullptr, [this] { return frameTime; }};
        for (const bool down : events)
            fresh.SetKey('E', down);
        for (std::size_t frame = 0; frame < frames.size(); ++frame)
        {
            fresh.Update();
            EXPECT_EQ(ViewKey(fresh, 'E'), frames[frame]) << events.size() << " events, frame " << frame;
            fresh.EndFrame();
        }
    }
    // Letting go of the window's focus clears a tap that was still to be released.
    input.SetKey('E', true);
    input.SetKey('E', false);
    input.ClearKeys();
    input.SetKey('E', true);
    Frame();
    input.Update();
    EXPECT_EQ(ViewKey(input, 'E'), held) << "a key pressed again after the clear stays down";
}

TEST_F(InputSystemTest, MouseButtonsAreTheKeysOneTwoAndFour)
{
    input.SetKey(1, true);
    input.SetKey(4, true);
    EXPECT_TRUE(input.IsMousePressed(0));
    EXPECT_FALSE(input.IsMousePressed(1));
    EXPECT_TRUE(input.IsMouseTriggered(2));
    for (std::uint32_t other : {3u, 4u, 0xffffffffu})
        EXPECT_EQ(ViewMouse(input, other), (KeyView{false, false, false})) << other;
}

TEST_F(InputSystemTest, CodesOutsideTheKeyTablesAreIgnored)
{
    input.SetKey(511, true);
    input.SetKey(512, true);
    input.SetKey(0xffff, true);
    EXPECT_TRUE(input.IsKeyPressed(511));
    EXPECT_FALSE(input.IsKeyPressed(512));
    EXPECT_FALSE(input.IsKeyTriggered(0xffff));
    EXPECT_FALSE(input.IsKeyReleased(0xffff));
}

TEST_F(InputSystemTest, ClearingTheKeysReleasesEveryHeldKey)
{
    input.SetKey('W', true);
    input.SetKey(16, true);
    Frame();
    input.ClearKeys();
    EXPECT_TRUE(input.IsKeyReleased('W'));
    EXPECT_TRUE(input.IsKeyReleased(16));
}

TEST_F(InputSystemTest, KeyboardAxisTakesHalfASecondOutAndATwentiethBack)
{
    frameTime = 0.05f;
    input.SetKey('D', true);
    for (int frame = 1; frame <= 10; ++frame)
    {
        Frame();
        EXPECT_NEAR(input.GetAxis(0), std::min(1.0f, frame * 0.1f), 1e-5f) << frame;
    }
    EXPECT_FLOAT_EQ(input.GetAxis(0), 1.0f);

    input.SetKey('D', false);
    Frame();
    EXPECT_FLOAT_EQ(input.GetAxis(0), 0.0f);

    // Reversing from full deflection is as fast as returning: one frame back to 0, then the slow way out.
    input.SetKey('S', true);
    for (int frame = 0; frame < 10; ++frame)
        Frame();
    EXPECT_FLOAT_EQ(input.GetAxis(1), -1.0f);
    input.SetKey('S', false);
    input.SetKey('W', true);
    Frame();
    EXPECT_NEAR(input.GetAxis(1), 0.0f, 1e-5f);
    Frame();
    EXPECT_NEAR(input.GetAxis(1), 0.1f, 1e-5f);
}

TEST_F(InputSystemTest, HoldingBothDirectionsFollowsThePositiveKey)
{
    frameTime = 0.05f;
    input.SetKey('A', true);
    input.SetKey('D', true);
    Frame();
    EXPECT_NEAR(input.GetAxis(0), 0.1f, 1e-5f);
}

TEST_F(InputSystemTest, ButtonAxesFollowSpaceShiftAndTheMouseButtons)
{
    const struct
    {
        std::uint16_t key;
        std::uint32_t axis;
    } cases[] = {{32, 2}, {16, 3}, {1, 4}, {2, 5}};
    for (const auto& c : cases)
    {
        input.SetKey(c.key, true);
        Frame();
        EXPECT_EQ(input.GetAxis(c.axis), 1.0f) << c.axis;
        input.SetKey(c.key, false);
        Frame();
        EXPECT_EQ(input.GetAxis(c.axis), 0.0f) << c.axis;
    }
    EXPECT_EQ(input.GetAxis(6), 0.0f);
    EXPECT_EQ(input.GetAxis(8), 0.0f);
    EXPECT_EQ(input.GetAxis(0xffffffffu), 0.0f);
}

TEST_F(InputSystemTest, MouseMotionIsSmoothedAtTheFrameEndAndWheelIsCleared)
{
    input.AddRawMotion(6.0f, -2.0f);
    input.AddRawMotion(4.0f, -2.0f);
    input.SetWheel(120.0f);
    input.Update();
    EXPECT_EQ(input.GetMouseDelta(), Vector2(0.0f, 0.0f)); // this pass's motion shows next frame
    EXPECT_EQ(input.GetWheel(), 120.0f);
    input.EndFrame();
    EXPECT_NEAR(input.GetMouseDelta().x, 7.0f, 1e-5f);
    EXPECT_NEAR(input.GetMouseDelta().y, -2.8f, 1e-5f);
    EXPECT_EQ(input.GetWheel(), 0.0f);

    Frame();
    EXPECT_NEAR(input.GetMouseDelta().x, 2.1f, 1e-5f);
    EXPECT_NEAR(input.GetMouseDelta().y, -0.84f, 1e-5f);
    // Decaying motion snaps to exactly 0 once it is below 1e-5.
    for (int frame = 0; frame < 20; ++frame)
        Frame();
    EXPECT_EQ(input.GetMouseDelta().x, 0.0f);
    EXPECT_EQ(input.GetMouseDelta().y, 0.0f);
}

TEST_F(InputSystemTest, RegistrationNeedsAWindowToReceiveEventsFrom)
{
    testing::internal::CaptureStdout();
    input.Init();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Registration failed.\n");
    EXPECT_EQ(input.GetName(), "Input");
    EXPECT_EQ(input.GetId(), SystemId::Input);
}

TEST_F(InputSystemTest, WithoutAGamepadButtonsAnswerFalse)
{
    Frame();
    EXPECT_FALSE(input.IsGamepadConnected());
    EXPECT_FALSE(input.IsButtonPressed(Button::A));
    EXPECT_FALSE(input.IsButtonTriggered(Button::A));
    EXPECT_FALSE(input.IsButtonReleased(Button::A));
    input.SetVibration(1.0f, 1.0f, 1.0f);
    Frame(); // nothing to vibrate, nothing breaks
}

class InputGamepadTest : public InputSystemTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pad.IsPlugged()) << SDL_GetError();
        // The pad is found by the first update; SDL holds back a first extreme value, so move sticks after it.
        Frame();
    }

    VirtualPad pad;
};

TEST_F(InputGamepadTest, SticksAreDeadZonedAndScaledToFullTilt)
{
    const struct
    {
        Sint16 raw;
        float horizontal; // dead zone 0.25
        float vertical;   // dead zone 0.15, SDL's down is our negative
    } cases[] = {
        {0, 0.0f, 0.0f},
        {6553, 0.0f, -(0.2f - 0.15f) / 0.85f}, // 20 percent
        {8192, 0.0f, -(0.25f - 0.15f) / 0.85f},
        {16384, (0.5f - 0.25f) / 0.75f, -(0.5f - 0.15f) / 0.85f},
        {32767, 1.0f, -1.0f},
        {-32768, -1.0f, 1.0f},
    };
    for (const auto& c : cases)
    {
        pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, c.raw);
        pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, c.raw);
        pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, c.raw);
        pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, c.raw);
        Frame(); // the pad is read
        Frame(); // the axes take the values of the previous poll
        EXPECT_NEAR(input.GetAxis(0), c.horizontal, 2e-4f) << c.raw;
        EXPECT_NEAR(input.GetAxis(1), c.vertical, 2e-4f) << c.raw;
        EXPECT_NEAR(input.GetAxis(6), c.horizontal, 2e-4f) << c.raw;
        EXPECT_NEAR(input.GetAxis(7), c.vertical, 2e-4f) << c.raw;
    }
}

TEST_F(InputGamepadTest, AnActivePadDrivesTheAxesInPlaceOfTheKeyboard)
{
    input.SetKey(32, true);
    Frame();
    Frame();
    EXPECT_FALSE(input.IsGamepadConnected()); // connected but at rest: not active
    EXPECT_EQ(input.GetAxis(2), 1.0f);

    pad.SetButton(SDL_CONTROLLER_BUTTON_B, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_X, true);
    pad.SetAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0); // a virtual trigger at mid axis is half pressed
    Frame();
    Frame();
    EXPECT_TRUE(input.IsGamepadConnected());
    const float expected[] = {0, 0, 0, 1, 1, 1, 0, 0};
    for (std::uint32_t axis = 0; axis < 8; ++axis)
        EXPECT_EQ(input.GetAxis(axis), expected[axis]) << axis;
}

TEST_F(InputGamepadTest, ButtonsGoThroughTriggeredPressedReleased)
{
    pad.SetButton(SDL_CONTROLLER_BUTTON_START, true);
    input.Update();
    EXPECT_TRUE(input.IsButtonTriggered(Button::Start));
    EXPECT_TRUE(input.IsButtonPressed(Button::Start));
    input.EndFrame();
    input.Update();
    EXPECT_FALSE(input.IsButtonTriggered(Button::Start));
    EXPECT_TRUE(input.IsButtonPressed(Button::Start));
    input.EndFrame();
    pad.SetButton(SDL_CONTROLLER_BUTTON_START, false);
    input.Update();
    EXPECT_TRUE(input.IsButtonReleased(Button::Start));
    EXPECT_FALSE(input.IsButtonPressed(Button::Start));
}

TEST_F(InputGamepadTest, ACombinedMaskStartsReleasedThenFollowsEitherButton)
{
    const std::uint32_t aOrB = Button::A | Button::B;
    pad.SetButton(SDL_CONTROLLER_BUTTON_B, true);
    input.Update();
    EXPECT_FALSE(input.IsButtonPressed(aOrB)); // unknown until the next gamepad update
    input.EndFrame();
    input.Update();
    EXPECT_TRUE(input.IsButtonPressed(aOrB));
    EXPECT_TRUE(input.IsButtonTriggered(aOrB));
    input.EndFrame();
    pad.SetButton(SDL_CONTROLLER_BUTTON_B, false);
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    input.Update();
    EXPECT_TRUE(input.IsButtonPressed(aOrB));
    EXPECT_FALSE(input.IsButtonTriggered(aOrB));
}

TEST_F(InputGamepadTest, VibrationRunsForItsFrameTimeThenStopsOnce)
{
    frameTime = 0.5f;
    input.SetVibration(1.5f, -1.0f, 2.0f);
    const auto fullLeft = std::make_pair(Uint16{65535}, Uint16{0});
    const auto still = std::make_pair(Uint16{0}, Uint16{0});
    for (int frame = 1; frame <= 4; ++frame)
    {
        Frame();
        ASSERT_FALSE(pad.Rumbles().empty());
        EXPECT_EQ(pad.Rumbles().back(), fullLeft) << "after " << frame * 0.5f << " s";
    }
    Frame();
    EXPECT_EQ(pad.Rumbles().back(), still);
    const std::size_t sent = pad.Rumbles().size();
    Frame();
    Frame();
    EXPECT_EQ(pad.Rumbles().size(), sent);
}

TEST_F(InputGamepadTest, MotorSpeedsThatAreNotNumbersRestTheMotor)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct
    {
        float left, right;
        std::pair<Uint16, Uint16> sent;
    } cases[] = {{nan, inf, {0, 65535}}, {-inf, 0.5f, {0, 32767}}, {nan, nan, {0, 0}}};
    for (const auto& c : cases)
    {
        input.SetVibration(c.left, c.right, 1.0f);
        Frame();
        ASSERT_FALSE(pad.Rumbles().empty());
        EXPECT_EQ(pad.Rumbles().back(), c.sent) << c.left << ", " << c.right;
    }
}

TEST_F(InputGamepadTest, AnUnpluggedPadLeavesNothingPressedOrActive)
{
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    Frame();
    Frame();
    ASSERT_TRUE(input.IsGamepadConnected());
    ASSERT_EQ(input.GetAxis(0), 1.0f);

    pad.Unplug();
    Frame();
    Frame();
    EXPECT_FALSE(input.IsGamepadConnected());
    EXPECT_FALSE(input.IsButtonPressed(Button::A));
    EXPECT_FALSE(input.IsButtonReleased(Button::A));
    EXPECT_EQ(input.GetAxis(2), 0.0f);
}

TEST(InputSystemWindow, ALockedCursorIsPutBackAtTheWindowCentreByTheUpdate)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
    platform::Window window("Nektaru test", 640, 480);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.Show();
    InputSystem input(&window, [] { return 1.0f / 60.0f; });

    // Other tests share the display and its pointer; the centre is the only place they put it.
    SDL_WarpMouseGlobal(10, 10);
    window.PumpEvents();
    input.SetCursorLock(true);
    input.Update();
    window.PumpEvents();
    EXPECT_EQ(input.GetMousePosition(), Vector2(320.0f, 240.0f));
}
