#include "inputsystem.h"

#include "platform/keycodes.h"
#include "platform/window.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

namespace
{
namespace Button = platform::GamepadButton;

constexpr std::uint32_t KnownButtons[] = {
    Button::A,        Button::B,         Button::X,         Button::Y,           Button::DpadLeft,
    Button::DpadRight, Button::DpadUp,   Button::DpadDown,  Button::LeftShoulder, Button::RightShoulder,
    Button::LeftThumb, Button::RightThumb, Button::Back,    Button::Start,
};

// Full tilt gives 1 in either direction; inside the dead zone the stick reads 0.
float DeadZoned(std::int16_t raw, float deadZone)
{
    const float value = std::max(-1.0f, raw / 32767.0f);
    if (deadZone > std::fabs(value))
        return 0.0f;
    const float outside = (std::fabs(value) - deadZone) * (value < 0.0f ? -1.0f : 1.0f);
    return deadZone > 0.0f ? outside * (1.0f / (1.0f - deadZone)) : outside;
}

bool& Entry(std::map<std::uint32_t, bool>& buttons, std::uint32_t mask)
{
    return buttons.try_emplace(mask, false).first->second;
}
}

Gamepad::Gamepad(float deadZoneX, float deadZoneY) : deadZoneX_(deadZoneX), deadZoneY_(deadZoneY)
{
    for (const std::uint32_t mask : KnownButtons)
    {
        previous_[mask] = false;
        current_[mask] = false;
    }
    Poll();
}

bool Gamepad::Poll()
{
    const bool wasConnected = connected_;
    connected_ = port_.GetState(state_);
    if (wasConnected && !connected_)
        Rest();
    return connected_;
}

void Gamepad::Rest()
{
    leftX_ = leftY_ = rightX_ = rightY_ = leftTrigger_ = rightTrigger_ = 0.0f;
    for (auto* buttons : {&previous_, &current_})
    {
        for (auto& [mask, pressed] : *buttons)
            pressed = false;
    }
}

void Gamepad::Update()
{
    leftX_ = DeadZoned(state_.thumbLX, deadZoneX_);
    leftY_ = DeadZoned(state_.thumbLY, deadZoneY_);
    rightX_ = DeadZoned(state_.thumbRX, deadZoneX_);
    rightY_ = DeadZoned(state_.thumbRY, deadZoneY_);
    leftTrigger_ = state_.leftTrigger / 255.0f;
    rightTrigger_ = state_.rightTrigger / 255.0f;
    for (auto& [mask, pressed] : current_)
        pressed = (state_.buttons & mask) != 0;
}

void Gamepad::EndFrame()
{
    for (const auto& [mask, pressed] : current_)
        previous_[mask] = pressed;
}

bool Gamepad::IsActive() const
{
    const bool anyButton = std::any_of(current_.begin(), current_.end(), [](const auto& b) { return b.second; });
    const float values[] = {leftX_, leftY_, rightX_, rightY_, leftTrigger_, rightTrigger_};
    // A NaN compares unequal to 0 as well.
    return anyButton || std::any_of(std::begin(values), std::end(values), [](float v) { return v != 0.0f; });
}

bool Gamepad::IsPressed(std::uint32_t mask)
{
    Entry(previous_, mask);
    return Entry(current_, mask);
}

bool Gamepad::WasPressed(std::uint32_t mask)
{
    Entry(current_, mask);
    return Entry(previous_, mask);
}

void Gamepad::SetMotors(float left, float right)
{
    port_.SetVibration(static_cast<std::uint16_t>(left * 65535.0f), static_cast<std::uint16_t>(right * 65535.0f));
}

namespace
{
constexpr std::uint16_t MouseKeys[] = {platform::VirtualKeyLeftButton, platform::VirtualKeyRightButton,
                                       platform::VirtualKeyMiddleButton};
constexpr std::uint16_t KeySpace = 32;
constexpr std::uint16_t KeyShift = 16;
constexpr float SmoothingKept = 0.3f;
constexpr float SmoothingFloor = 1e-5f;
constexpr float ReturnRate = 10.0f;

// 0 for a button number that names no mouse button.
std::uint16_t MouseKey(std::uint32_t button)
{
    return button < std::size(MouseKeys) ? MouseKeys[button] : 0;
}

float SmoothStep(float raw, float smoothed)
{
    const float next = raw * (1.0f - SmoothingKept) + smoothed * SmoothingKept;
    return (next > -SmoothingFloor && next < SmoothingFloor) ? 0.0f : next;
}

float OneIf(bool condition)
{
    return condition ? 1.0f : 0.0f;
}

// A speed that is not a number (a script's 0 / 0) rests the motor rather than reaching the motor word.
float MotorSpeed(float speed)
{
    return std::isnan(speed) ? 0.0f : std::clamp(speed, 0.0f, 1.0f);
}
}

InputSystem::InputSystem(platform::Window* window, std::function<float()> frameTime)
    : System(SystemId::Input), window_(window), frameTime_(std::move(frameTime)), gamepad_(0.25f, 0.15f)
{
}

void InputSystem::Init()
{
    // SDL delivers keyboard and mouse events of the window; without one nothing can arrive.
    if (window_)
        std::cout << "System: Input \t\t- OK (" << 2 << " input devices registered).\n";
    else
        std::cout << "Registration failed.\n";
}

void InputSystem::Update()
{
    UpdateAxes();
    if (cursorLock_ && window_)
        window_->CentreCursor();
    if (!gamepad_.Poll())
        return;
    gamepad_.Update();
    UpdateVibration();
}

void InputSystem::UpdateVibration()
{
    if (!vibrating_)
        return;
    gamepad_.SetMotors(leftMotor_, rightMotor_);
    vibrationSeconds_ -= frameTime_();
    if (vibrationSeconds_ > 0.0f)
        return;
    // Time is up: one more update sends the motors to rest, then vibration ends for good.
    if (leftMotor_ == 0.0f && rightMotor_ == 0.0f)
        vibrating_ = false;
    else
        SetVibration(0.0f, 0.0f, 0.0f);
}

void InputSystem::UpdateAxes()
{
    if (gamepad_.IsConnected() && gamepad_.IsActive())
    {
        axes_[0] = gamepad_.LeftX();
        axes_[1] = gamepad_.LeftY();
        axes_[2] = OneIf(gamepad_.IsPressed(platform::GamepadButton::A));
        axes_[3] = OneIf(gamepad_.IsPressed(platform::GamepadButton::B));
        axes_[4] = OneIf(gamepad_.IsPressed(platform::GamepadButton::X));
        axes_[5] = OneIf(gamepad_.LeftTrigger() != 0.0f);
        axes_[6] = gamepad_.RightX();
        axes_[7] = gamepad_.RightY();
        return;
    }
    axes_[2] = OneIf(IsDown(current_, KeySpace));
    axes_[3] = OneIf(IsDown(current_, KeyShift));
    axes_[4] = OneIf(IsDown(current_, platform::VirtualKeyLeftButton));
    axes_[5] = OneIf(IsDown(current_, platform::VirtualKeyRightButton));
    UpdateKeyboardAxis(axes_[0], 'D', 'A');
    UpdateKeyboardAxis(axes_[1], 'W', 'S');
}

// Full deflection takes 1 / speed seconds; returning to rest or reversing is ten times as fast.
void InputSystem::UpdateKeyboardAxis(float& axis, std::uint16_t positiveKey, std::uint16_t negativeKey)
{
    float target = 0.0f;
    float rate = ReturnRate;
    if (IsDown(current_, positiveKey))
    {
        target = 1.0f;
        rate = axis < 0.0f ? ReturnRate : 1.0f;
    }
    else if (IsDown(current_, negativeKey))
    {
        target = -1.0f;
        rate = axis > 0.0f ? ReturnRate : 1.0f;
    }
    axis = MoveTowards(axis, target, rate * keyboardAxisSpeed_ * frameTime_());
}

void InputSystem::EndFrame()
{
    smoothed_.x = SmoothStep(raw_.x, smoothed_.x);
    smoothed_.y = SmoothStep(raw_.y, smoothed_.y);
    raw_ = Vector2();
    wheel_ = 0.0f;
    previous_ = current_;
    for (std::size_t key = 0; key < KeyCount; ++key)
    {
        if (std::exchange(releaseNext_[key], 0))
            current_[key] = 0;
    }
    gamepad_.EndFrame();
}

bool InputSystem::IsDown(const std::array<std::uint8_t, KeyCount>& keys, std::uint16_t key) const
{
    return key < KeyCount && keys[key] != 0;
}

bool InputSystem::IsKeyTriggered(const std::uint16_t& key)
{
    return IsDown(current_, key) && !IsDown(previous_, key);
}

bool InputSystem::IsKeyPressed(const std::uint16_t& key)
{
    return IsDown(current_, key);
}

bool InputSystem::IsKeyReleased(const std::uint16_t& key)
{
    return !IsDown(current_, key) && IsDown(previous_, key);
}

bool InputSystem::IsMouseTriggered(std::uint32_t button)
{
    const std::uint16_t key = MouseKey(button);
    return key != 0 && IsKeyTriggered(key);
}

bool InputSystem::IsMousePressed(std::uint32_t button)
{
    const std::uint16_t key = MouseKey(button);
    return key != 0 && IsKeyPressed(key);
}

bool InputSystem::IsMouseReleased(std::uint32_t button)
{
    const std::uint16_t key = MouseKey(button);
    return key != 0 && IsKeyReleased(key);
}

Vector2 InputSystem::GetMousePosition()
{
    int x = 0, y = 0;
    if (window_)
        window_->CursorPosition(x, y);
    return Vector2(static_cast<float>(x), static_cast<float>(y));
}

bool InputSystem::IsButtonTriggered(const std::uint32_t& mask)
{
    return gamepad_.IsConnected() && gamepad_.IsPressed(mask) && !gamepad_.WasPressed(mask);
}

bool InputSystem::IsButtonPressed(const std::uint32_t& mask)
{
    return gamepad_.IsConnected() && gamepad_.IsPressed(mask);
}

bool InputSystem::IsButtonReleased(const std::uint32_t& mask)
{
    return gamepad_.IsConnected() && !gamepad_.IsPressed(mask) && gamepad_.WasPressed(mask);
}

float InputSystem::GetAxis(const std::uint32_t& axis)
{
    return axis < AxisCount ? axes_[axis] : 0.0f;
}

void InputSystem::SetVibration(float left, float right, float seconds)
{
    leftMotor_ = MotorSpeed(left);
    rightMotor_ = MotorSpeed(right);
    vibrationSeconds_ = seconds;
    vibrating_ = true;
}

void InputSystem::SetKey(std::uint16_t key, bool down)
{
    if (key >= KeyCount)
        return;
    // A tap shorter than a frame still triggers: its release waits until a frame has seen the key down.
    const bool unseenPress = !down && current_[key] && !previous_[key];
    releaseNext_[key] = unseenPress;
    if (!unseenPress)
        current_[key] = down;
}

void InputSystem::AddRawMotion(float x, float y)
{
    raw_.x += x;
    raw_.y += y;
}
