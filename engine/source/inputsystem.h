#pragma once
#include "inputinterface.h"
#include "platform/gamepad.h"
#include "system.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>

namespace platform
{
class Window;
}

// Controller 0 in XInput's terms: dead-zoned sticks, triggers 0..1 and per-frame button maps.
class Gamepad
{
public:
    Gamepad(float deadZoneX, float deadZoneY);

    // Polls the controller; a pad that went away leaves every value and button at rest.
    bool Poll();
    // Sticks, triggers and buttons from the last poll.
    void Update();
    void EndFrame();

    bool IsConnected() const { return connected_; }
    // True when any button is down or any analog value is off rest (or not a number).
    bool IsActive() const;
    // An unknown mask joins the maps released; from the next update on it follows the buttons.
    bool IsPressed(std::uint32_t mask);
    bool WasPressed(std::uint32_t mask);
    // Motor speeds 0..1 for as long as the next call.
    void SetMotors(float left, float right);

    float LeftX() const { return leftX_; }
    float LeftY() const { return leftY_; }
    float RightX() const { return rightX_; }
    float RightY() const { return rightY_; }
    float LeftTrigger() const { return leftTrigger_; }

private:
    void Rest();

    platform::GamepadPort port_;
    platform::GamepadState state_;
    bool connected_ = false;
    float deadZoneX_;
    float deadZoneY_;
    std::map<std::uint32_t, bool> previous_;
    std::map<std::uint32_t, bool> current_;
    float leftX_ = 0.0f;
    float leftY_ = 0.0f;
    float rightX_ = 0.0f;
    float rightY_ = 0.0f;
    float leftTrigger_ = 0.0f;
    float rightTrigger_ = 0.0f;
};

// Keyboard, mouse and gamepad state of this frame and the one before, and the eight virtual axes.
// The window procedure writes keys, motion and wheel into it between frames.
class InputSystem : public System, public InputInterface
{
public:
    static constexpr std::size_t KeyCount = 512;
    static constexpr std::size_t AxisCount = 8;

    // Reads the frame's seconds from frameTime. The window may be null: input then comes only from
    // the window procedure's writes.
    InputSystem(platform::Window* window, std::function<float()> frameTime);

    void Init() override;
    void Update() override;
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Input"; }
    void HandleMessage(const BaseMessage&) override {}
    void EndFrame();

    bool IsKeyTriggered(const std::uint16_t& key) override;
    bool IsKeyPressed(const std::uint16_t& key) override;
    bool IsKeyReleased(const std::uint16_t& key) override;
    bool IsMouseTriggered(std::uint32_t button) override;
    bool IsMousePressed(std::uint32_t button) override;
    bool IsMouseReleased(std::uint32_t button) override;
    Vector2 GetMouseDelta() override { return smoothed_; }
    Vector2 GetMousePosition() override;
    void SetCursorLock(bool lock) override { cursorLock_ = lock; }
    void SetCursorCapture(bool capture) override { cursorCapture_ = capture; }
    bool IsButtonTriggered(const std::uint32_t& mask) override;
    bool IsButtonPressed(const std::uint32_t& mask) override;
    bool IsButtonReleased(const std::uint32_t& mask) override;
    float GetAxis(const std::uint32_t& axis) override;
    void SetVibration(float left, float right, float seconds) override;
    bool IsGamepadConnected() override { return gamepad_.IsActive(); }

    // The window procedure's writes. Codes of 512 and above are ignored.
    void SetKey(std::uint16_t key, bool down);
    void ClearKeys()
    {
        current_.fill(0);
        releaseNext_.fill(0);
    }
    void AddRawMotion(float x, float y);
    void SetWheel(float wheel) { wheel_ = wheel; }

    float GetWheel() const { return wheel_; }
    bool IsCursorLocked() const { return cursorLock_; }
    bool IsCursorCaptured() const { return cursorCapture_; }

private:
    void UpdateAxes();
    void UpdateKeyboardAxis(float& axis, std::uint16_t positiveKey, std::uint16_t negativeKey);
    void UpdateVibration();
    bool IsDown(const std::array<std::uint8_t, KeyCount>& keys, std::uint16_t key) const;

    platform::Window* window_;
    std::function<float()> frameTime_;
    std::array<std::uint8_t, KeyCount> previous_{};
    std::array<std::uint8_t, KeyCount> current_{};
    // Keys let go before any frame saw them go down: they go up at the end of the next frame.
    std::array<std::uint8_t, KeyCount> releaseNext_{};
    Vector2 raw_;
    Vector2 smoothed_;
    float wheel_ = 0.0f;
    bool cursorCapture_ = false;
    bool cursorLock_ = false;
    Gamepad gamepad_;
    std::array<float, AxisCount> axes_{};
    float leftMotor_ = 0.0f;
    float rightMotor_ = 0.0f;
    bool vibrating_ = false;
    float vibrationSeconds_ = 0.0f;
    float keyboardAxisSpeed_ = 2.0f;
};
