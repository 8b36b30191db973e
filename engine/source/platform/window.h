#pragma once
#include "platform/events.h"

#include <functional>
#include <string>
#include <utility>

struct SDL_Window;

namespace platform
{
class GuiBackend;

// The main window with an OpenGL 3.3 core context, current on the creating thread, GLEW loaded.
// It starts hidden, without a sizing border, centred on the work area of the primary display.
class Window
{
public:
    using EventHandler = std::function<void(const Event&)>;

    Window(const std::string& title, int width, int height);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // False when the window or its context could not be made; Error() says why.
    bool IsOpen() const { return context_ != nullptr; }
    const std::string& Error() const { return error_; }

    // Makes this window's context current on the calling thread again, after another window took over.
    bool MakeCurrent();
    void SetTitle(const std::string& title);
    void SwapBuffers();
    void Show();

    // Borderless over the whole display, or back to a window with a sizing border; false when the switch failed.
    bool SetFullscreen(bool fullscreen);

    void ClientSize(int& width, int& height) const;
    // The cursor relative to the client area's top left corner.
    void CursorPosition(int& x, int& y) const;
    void CentreCursor();
    static void ShowCursor(bool show);

    // Every event the engine handles goes to this handler while the events are pumped.
    void SetEventHandler(EventHandler handler) { handler_ = std::move(handler); }
    // While set, the GUI sees every event first; null stops that.
    void SetGuiBackend(GuiBackend* gui) { gui_ = gui; }
    // Handles every waiting event; false once the user asked to close the window.
    bool PumpEvents();
    // Returns when an event is waiting or after about this many seconds, whichever comes first.
    void WaitForEvents(double seconds);
    // True once shown, then while the window has the keyboard focus.
    bool IsActive() const { return active_; }

private:
    friend class GuiBackend;

    bool Create(const std::string& title, int width, int height);

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    bool active_ = false;
    std::string error_;
    EventHandler handler_;
    GuiBackend* gui_ = nullptr;
};
}
