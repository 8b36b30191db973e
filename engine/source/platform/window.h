#pragma once
#include <string>

struct SDL_Window;

namespace platform
{
// The main window with an OpenGL 3.3 core context, current on the creating thread, GLEW loaded.
class Window
{
public:
    Window(const std::string& title, int width, int height);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // False when the window or its context could not be made; Error() says why.
    bool IsOpen() const { return context_ != nullptr; }
    const std::string& Error() const { return error_; }

    void SetTitle(const std::string& title);
    void SwapBuffers();

    // Handles every waiting event; false once the user asked to close the window.
    bool PumpEvents();
    // Returns when an event is waiting or after about this many seconds, whichever comes first.
    void WaitForEvents(double seconds);
    // True while the window has the keyboard focus.
    bool IsActive() const { return active_; }

private:
    bool Create(const std::string& title, int width, int height);

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    bool active_ = false;
    std::string error_;
};
}
