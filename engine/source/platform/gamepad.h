#pragma once
#include <cstdint>

struct _SDL_GameController;

namespace platform
{
// XInput's button bits.
namespace GamepadButton
{
constexpr std::uint32_t DpadUp = 0x0001;
constexpr std::uint32_t DpadDown = 0x0002;
constexpr std::uint32_t DpadLeft = 0x0004;
constexpr std::uint32_t DpadRight = 0x0008;
constexpr std::uint32_t Start = 0x0010;
constexpr std::uint32_t Back = 0x0020;
constexpr std::uint32_t LeftThumb = 0x0040;
constexpr std::uint32_t RightThumb = 0x0080;
constexpr std::uint32_t LeftShoulder = 0x0100;
constexpr std::uint32_t RightShoulder = 0x0200;
constexpr std::uint32_t A = 0x1000;
constexpr std::uint32_t B = 0x2000;
constexpr std::uint32_t X = 0x4000;
constexpr std::uint32_t Y = 0x8000;
}

// One poll of a pad in XInput's terms: sticks point up and right for positive values.
struct GamepadState
{
    std::uint16_t buttons = 0;
    std::uint8_t leftTrigger = 0;
    std::uint8_t rightTrigger = 0;
    std::int16_t thumbLX = 0;
    std::int16_t thumbLY = 0;
    std::int16_t thumbRX = 0;
    std::int16_t thumbRY = 0;
};

// The first game controller SDL knows, opened on demand and dropped when it goes away.
class GamepadPort
{
public:
    GamepadPort();
    ~GamepadPort();
    GamepadPort(const GamepadPort&) = delete;
    GamepadPort& operator=(const GamepadPort&) = delete;

    // False (and a cleared state) when no controller answers.
    bool GetState(GamepadState& state);
    // Motor speeds 0..65535 that hold until the next call; false without a controller.
    bool SetVibration(std::uint16_t left, std::uint16_t right);

private:
    bool Connect();

    _SDL_GameController* controller_ = nullptr;
};
}
