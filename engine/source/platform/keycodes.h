#pragma once
#include <cstdint>

namespace platform
{
// Windows virtual-key codes of the mouse buttons, as the key tables hold them.
constexpr std::uint16_t VirtualKeyLeftButton = 1;
constexpr std::uint16_t VirtualKeyRightButton = 2;
constexpr std::uint16_t VirtualKeyMiddleButton = 4;

// The Windows virtual-key code of an SDL key code; 0 for keys that have none.
std::uint16_t VirtualKeyFromSdlKey(std::int32_t sdlKey);

// 1, 2 or 4 for SDL's left, right and middle buttons; 0 for the others.
std::uint16_t VirtualKeyFromSdlButton(std::uint8_t sdlButton);
}
