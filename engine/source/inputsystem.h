#pragma once
#include "system.h"

namespace platform
{
class Window;
}

// Keyboard, mouse and gamepad state for the frame. (The least Core needs: the frame end and the cursor flags.)
class InputSystem : public System
{
public:
    explicit InputSystem(platform::Window* window);

    void Init() override {}
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Input"; }
    void HandleMessage(const BaseMessage&) override {}

    // Closes the frame's input: this frame's state becomes the previous frame's.
    void EndFrame() {}
    void SetCursorLock(bool lock) { cursorLock_ = lock; }
    void SetCursorCapture(bool capture) { cursorCapture_ = capture; }
    bool IsCursorLocked() const { return cursorLock_; }
    bool IsCursorCaptured() const { return cursorCapture_; }

private:
    platform::Window* window_;
    bool cursorLock_ = false;
    bool cursorCapture_ = false;
};
