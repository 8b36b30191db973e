#pragma once
// The input system's codes of the keys and buttons the editor answers to (the virtual-key numbering).
#include <cstdint>

namespace editorkeys
{
inline constexpr std::uint16_t kLeftButton = 1;
inline constexpr std::uint16_t kRightButton = 2;
inline constexpr std::uint16_t kMiddleButton = 4;
inline constexpr std::uint16_t kKeyShift = 16;
inline constexpr std::uint16_t kKeyCtrl = 17;
inline constexpr std::uint16_t kKeyAlt = 18;
inline constexpr std::uint16_t kKeyDelete = 46;
inline constexpr std::uint16_t kKeySix = 54;
inline constexpr std::uint16_t kKeyA = 65;
inline constexpr std::uint16_t kKeyD = 68;
inline constexpr std::uint16_t kKeyE = 69;
inline constexpr std::uint16_t kKeyL = 76;
inline constexpr std::uint16_t kKeyQ = 81;
inline constexpr std::uint16_t kKeyS = 83;
inline constexpr std::uint16_t kKeyW = 87;
inline constexpr std::uint16_t kKeyY = 89;
inline constexpr std::uint16_t kKeyZ = 90;
inline constexpr std::uint16_t kKeyF1 = 112;
inline constexpr std::uint16_t kKeyF3 = 114;
inline constexpr std::uint16_t kKeyF5 = 116;
inline constexpr std::uint16_t kKeyF6 = 117;
inline constexpr std::uint16_t kKeyF9 = 120;
inline constexpr std::uint16_t kKeyF10 = 121;
} // namespace editorkeys
