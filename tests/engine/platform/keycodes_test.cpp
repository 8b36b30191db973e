#include "platform/keycodes.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

TEST(VirtualKeys, SdlKeysMapToWindowsVirtualKeyCodes)
{
    const struct
    {
        SDL_Keycode sdl;
        int virtualKey;
    } cases[] = {
        {SDLK_a, 'A'},        {SDLK_d, 'D'},           {SDLK_z, 'Z'},          {SDLK_0, '0'},
        {SDLK_9, '9'},        {SDLK_SPACE, 32},        {SDLK_LSHIFT, 16},      {SDLK_RSHIFT, 16},
        {SDLK_LCTRL, 17},     {SDLK_RCTRL, 17},        {SDLK_LALT, 18},        {SDLK_RALT, 18},
        {SDLK_BACKSPACE, 8},  {SDLK_TAB, 9},           {SDLK_RETURN, 13},      {SDLK_KP_ENTER, 13},
        {SDLK_ESCAPE, 27},    {SDLK_LEFT, 37},         {SDLK_UP, 38},          {SDLK_RIGHT, 39},
        {SDLK_DOWN, 40},      {SDLK_DELETE, 46},       {SDLK_F1, 112},         {SDLK_F10, 121},
        {SDLK_F12, 123},      {SDLK_KP_0, 96},         {SDLK_KP_1, 97},        {SDLK_KP_9, 105},
        {SDLK_UNKNOWN, 0},    {SDLK_AUDIONEXT, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::VirtualKeyFromSdlKey(c.sdl), c.virtualKey) << SDL_GetKeyName(c.sdl);
}

TEST(VirtualKeys, EveryMappedKeyStaysInsideTheKeyTables)
{
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
    {
        const SDL_Keycode key = SDL_SCANCODE_TO_KEYCODE(scancode);
        EXPECT_LT(platform::VirtualKeyFromSdlKey(key), 512) << scancode;
    }
    for (int ascii = 0; ascii < 128; ++ascii)
        EXPECT_LT(platform::VirtualKeyFromSdlKey(ascii), 512) << ascii;
}

TEST(VirtualKeys, MouseButtonsAreOneTwoAndFour)
{
    EXPECT_EQ(platform::VirtualKeyFromSdlButton(SDL_BUTTON_LEFT), 1);
    EXPECT_EQ(platform::VirtualKeyFromSdlButton(SDL_BUTTON_RIGHT), 2);
    EXPECT_EQ(platform::VirtualKeyFromSdlButton(SDL_BUTTON_MIDDLE), 4);
    EXPECT_EQ(platform::VirtualKeyFromSdlButton(SDL_BUTTON_X1), 0);
    EXPECT_EQ(platform::VirtualKeyFromSdlButton(SDL_BUTTON_X2), 0);
}
