#include "platform/keycodes.h"

#include <SDL2/SDL.h>
#include <array>
#include <utility>

namespace platform
{
namespace
{
// Keys whose codes are not a run of consecutive values on both sides.
constexpr std::array<std::pair<SDL_Keycode, std::uint16_t>, 46> SingleKeys = {{
    {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},           {SDLK_RETURN, 13},        {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},       {SDLK_LCTRL, 17},         {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},         {SDLK_RALT, 18},         {SDLK_PAUSE, 19},         {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},       {SDLK_SPACE, 32},        {SDLK_PAGEUP, 33},        {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},          {SDLK_HOME, 36},         {SDLK_LEFT, 37},          {SDLK_UP, 38},
    {SDLK_RIGHT, 39},        {SDLK_DOWN, 40},         {SDLK_PRINTSCREEN, 44},   {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},       {SDLK_LGUI, 91},         {SDLK_RGUI, 92},          {SDLK_APPLICATION, 93},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},     {SDLK_KP_MINUS, 109},     {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},   {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},  {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},      {SDLK_COMMA, 188},       {SDLK_MINUS, 189},        {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},       {SDLK_BACKQUOTE, 192},   {SDLK_LEFTBRACKET, 219},  {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
}};

std::uint16_t Offset(SDL_Keycode key, SDL_Keycode first, int firstVirtualKey)
{
    return static_cast<std::uint16_t>(firstVirtualKey + (key - first));
}
}

std::uint16_t VirtualKeyFromSdlKey(std::int32_t sdlKey)
{
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z)
        return Offset(sdlKey, SDLK_a, 'A');
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9)
        return Offset(sdlKey, SDLK_0, '0');
    if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12)
        return Offset(sdlKey, SDLK_F1, 112);
    if (sdlKey >= SDLK_F13 && sdlKey <= SDLK_F24)
        return Offset(sdlKey, SDLK_F13, 124);
    // SDL numbers the keypad 1..9 then 0.
    if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9)
        return Offset(sdlKey, SDLK_KP_1, 97);
    if (sdlKey == SDLK_KP_0)
        return 96;
    for (const auto& [sdl, virtualKey] : SingleKeys)
    {
        if (sdl == sdlKey)
            return virtualKey;
    }
    return 0;
}

std::uint16_t VirtualKeyFromSdlButton(std::uint8_t sdlButton)
{
    switch (sdlButton)
    {
    case SDL_BUTTON_LEFT:
        return VirtualKeyLeftButton;
    case SDL_BUTTON_RIGHT:
        return VirtualKeyRightButton;
    case SDL_BUTTON_MIDDLE:
        return VirtualKeyMiddleButton;
    default:
        return 0;
    }
}
}
