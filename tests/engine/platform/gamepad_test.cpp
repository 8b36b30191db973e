#include "platform/gamepad.h"

#include "virtualpad.h"

#include <gtest/gtest.h>

using platform::GamepadState;
namespace Button = platform::GamepadButton;

TEST(GamepadPort, AnswersNothingWithoutAController)
{
    platform::GamepadPort port;
    GamepadState state;
    state.buttons = 0xffff;
    EXPECT_FALSE(port.GetState(state));
    EXPECT_EQ(state.buttons, 0);
    EXPECT_FALSE(port.SetVibration(100, 100));
}

namespace
{
// A virtual pad plugged in, and a port already connected to it.
class PluggedPad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pad.IsPlugged()) << SDL_GetError();
        // SDL holds back a first extreme axis value of a newly opened pad, so connect before moving anything.
        ASSERT_TRUE(port.GetState(state));
    }

    VirtualPad pad;
    platform::GamepadPort port;
    GamepadState state;
};
}

TEST_F(PluggedPad, FillsTheStateInXInputTerms)
{
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_BACK, true);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768); // pushed fully up
    pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, -1000);
    pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, 16384); // pushed half down
    pad.SetAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    pad.SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0); // a virtual trigger spans the whole axis: half pressed

    ASSERT_TRUE(port.GetState(state));
    EXPECT_EQ(state.buttons, Button::A | Button::DpadLeft | Button::RightShoulder | Button::Back);
    EXPECT_EQ(state.thumbLX, 32767);
    EXPECT_EQ(state.thumbLY, 32767);
    EXPECT_EQ(state.thumbRX, -1000);
    EXPECT_EQ(state.thumbRY, -16384);
    EXPECT_EQ(state.leftTrigger, 255);
    EXPECT_EQ(state.rightTrigger, 127);
}

TEST_F(PluggedPad, EveryButtonHasItsOwnBit)
{
    const struct
    {
        SDL_GameControllerButton button;
        std::uint32_t bit;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_A, Button::A},
        {SDL_CONTROLLER_BUTTON_B, Button::B},
        {SDL_CONTROLLER_BUTTON_X, Button::X},
        {SDL_CONTROLLER_BUTTON_Y, Button::Y},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, Button::DpadUp},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Button::DpadDown},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Button::DpadLeft},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Button::DpadRight},
        {SDL_CONTROLLER_BUTTON_START, Button::Start},
        {SDL_CONTROLLER_BUTTON_BACK, Button::Back},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, Button::LeftThumb},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, Button::RightThumb},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, Button::LeftShoulder},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, Button::RightShoulder},
    };
    for (const auto& c : cases)
    {
        pad.SetButton(c.button, true);
        ASSERT_TRUE(port.GetState(state));
        EXPECT_EQ(state.buttons, c.bit) << SDL_GameControllerGetStringForButton(c.button);
        pad.SetButton(c.button, false);
    }
}

TEST_F(PluggedPad, RumblesAndNoticesAnUnpluggedPad)
{
    EXPECT_TRUE(port.SetVibration(65535, 0));
    ASSERT_FALSE(pad.Rumbles().empty());
    EXPECT_EQ(pad.Rumbles().back(), std::make_pair(Uint16{65535}, Uint16{0}));

    pad.Unplug();
    EXPECT_FALSE(port.GetState(state));
    EXPECT_FALSE(port.SetVibration(1, 1));
}
