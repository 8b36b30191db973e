#pragma once

union SDL_Event;

namespace platform
{
class Window;

// Dear ImGui's SDL2 and OpenGL 3 back ends on the main window, for the current GUI context.
class GuiBackend
{
public:
    GuiBackend() = default;
    ~GuiBackend() { Shutdown(); }
    GuiBackend(const GuiBackend&) = delete;
    GuiBackend& operator=(const GuiBackend&) = delete;

    // Both back ends for the window and its GL context; false when either failed.
    bool Init(Window& window);
    // Releases the back ends' GL objects and input state; nothing when not initialised.
    void Shutdown();
    bool IsInitialised() const { return window_ != nullptr; }

    // Display size, time and input of the frame, and the font texture on the first frame.
    void NewFrame();
    // Draws the finished frame's draw data into the window's framebuffer, then presents it.
    void RenderAndPresent();
    // Lets the GUI see an event before the engine does.
    void ProcessEvent(const SDL_Event& event);

private:
    Window* window_ = nullptr;
};
}
