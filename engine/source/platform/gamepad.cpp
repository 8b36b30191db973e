#include "platform/gamepad.h"

#include <SDL2/SDL.h>
#include <algorithm>
#include <array>
#include <utility>

namespace platform
{
namespace
{
constexpr std::array<std::pair<SDL_GameControllerButton, std::uint16_t>, 14> ButtonBits = {{
    {SDL_CONTROLLER_BUTTON_DPAD_UP, GamepadButton::DpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, GamepadButton::DpadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, GamepadButton::DpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, GamepadButton::DpadRight},
    {SDL_CONTROLLER_BUTTON_START, GamepadButton::Start},
    {SDL_CONTROLLER_BUTTON_BACK, GamepadButton::Back},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, GamepadButton::LeftThumb},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, GamepadButton::RightThumb},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, GamepadButton::LeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, GamepadButton::RightShoulder},
    {SDL_CONTROLLER_BUTTON_A, GamepadButton::A},
    {SDL_CONTROLLER_BUTTON_B, GamepadButton::B},
    {SDL_CONTROLLER_BUTTON_X, GamepadButton::X},
    {SDL_CONTROLLER_BUTTON_Y, GamepadButton::Y},
}};

// SDL's vertical axes grow downwards; -(-32768) does not fit, so it becomes 32767.
std::int16_t Upward(Sint16 value)
{
    return static_cast<std::int16_t>(std::min(-static_cast<int>(value), 32767));
}

std::uint8_t TriggerByte(Sint16 value)
{
    const int clamped = std::clamp(static_cast<int>(value), 0, 32767);
    return static_cast<std::uint8_t>((clamped * 255 + 16383) / 32767);
}
}

GamepadPort::GamepadPort()
{
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

GamepadPort::~GamepadPort()
{
    if (controller_)
        SDL_GameControllerClose(controller_);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool GamepadPort::Connect()
{
    SDL_GameControllerUpdate();
    if (controller_ && !SDL_GameControllerGetAttached(controller_))
    {
        SDL_GameControllerClose(controller_);
        controller_ = nullptr;
    }
    for (int index = 0; !controller_ && index < SDL_NumJoysticks(); ++index)
    {
        if (SDL_IsGameController(index))
            controller_ = SDL_GameControllerOpen(index);
    }
    return controller_ != nullptr;
}

bool GamepadPort::GetState(GamepadState& state)
{
    state = GamepadState{};
    if (!Connect())
        return false;
    for (const auto& [button, bit] : ButtonBits)
    {
        if (SDL_GameControllerGetButton(controller_, button))
            state.buttons |= bit;
    }
    state.thumbLX = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
    state.thumbLY = Upward(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY));
    state.thumbRX = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_RIGHTX);
    state.thumbRY = Upward(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_RIGHTY));
    state.leftTrigger = TriggerByte(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    state.rightTrigger = TriggerByte(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    return true;
}

bool GamepadPort::SetVibration(std::uint16_t left, std::uint16_t right)
{
    // A duration of 0 keeps the speeds until the next call, as XInput does.
    return controller_ && SDL_GameControllerRumble(controller_, left, right, 0) == 0;
}
}
