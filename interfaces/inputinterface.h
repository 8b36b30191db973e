#pragma once
#include "TorvaneMath.h"

#include <cstdint>

// What scripts and the editor read of the input system. Key codes are Windows virtual-key codes;
// the mouse buttons are the keys 1 (left), 2 (right) and 4 (middle). Button masks are XInput's bits.
class InputInterface
{
public:
    virtual bool IsKeyTriggered(const std::uint16_t& key) = 0;
    virtual bool IsKeyPressed(const std::uint16_t& key) = 0;
    virtual bool IsKeyReleased(const std::uint16_t& key) = 0;
    // Button 0 left, 1 right, 2 middle; any other number answers false.
    virtual bool IsMouseTriggered(std::uint32_t button) = 0;
    virtual bool IsMousePressed(std::uint32_t button) = 0;
    virtual bool IsMouseReleased(std::uint32_t button) = 0;
    // The smoothed motion of the previous pass of events.
    virtual Vector2 GetMouseDelta() = 0;
    // The cursor relative to the window's client area.
    virtual Vector2 GetMousePosition() = 0;
    // While set, every input update puts the cursor back at the window's centre.
    virtual void SetCursorLock(bool lock) = 0;
    virtual void SetCursorCapture(bool capture) = 0;
    // All false while no gamepad is connected.
    virtual bool IsButtonTriggered(const std::uint32_t& mask) = 0;
    virtual bool IsButtonPressed(const std::uint32_t& mask) = 0;
    virtual bool IsButtonReleased(const std::uint32_t& mask) = 0;
    // Axes 0 to 7; 0 for any other number.
    virtual float GetAxis(const std::uint32_t& axis) = 0;
    // Motor speeds are clamped to 0..1.
    virtual void SetVibration(float left, float right, float seconds) = 0;
    virtual bool IsGamepadConnected() = 0;

protected:
    ~InputInterface() = default;
};
