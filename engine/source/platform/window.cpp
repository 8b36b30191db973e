#include "platform/window.h"

#include "platform/guibackend.h"
#include "platform/sdlevents.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>

namespace platform
{
Window::Window(const std::string& title, int width, int height)
{
    if (!Create(title, width, height) && error_.empty())
        error_ = SDL_GetError();
}

Window::~Window()
{
    if (context_)
        SDL_GL_DeleteContext(context_);
    if (window_)
        SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool Window::Create(const std::string& title, int width, int height)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);

    SDL_Rect workArea{0, 0, width, height};
    SDL_GetDisplayUsableBounds(0, &workArea);
    window_ = SDL_CreateWindow(title.c_str(), workArea.x + (workArea.w - width) / 2,
                               workArea.y + (workArea.h - height) / 2, width, height,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window_)
        return false;
    context_ = SDL_GL_CreateContext(window_);
    if (!context_ || !MakeCurrent())
        return false;

    // A core context hides the entry points GLEW looks for unless it is told to try anyway.
    glewExperimental = GL_TRUE;
    const GLenum status = glewInit();
    if (status != GLEW_OK)
    {
        error_ = reinterpret_cast<const char*>(glewGetErrorString(status));
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
        return false;
    }
    glGetError(); // glewInit leaves GL_INVALID_ENUM behind on core contexts
    active_ = (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
    return true;
}

void Window::SetTitle(const std::string& title)
{
    SDL_SetWindowTitle(window_, title.c_str());
}

void Window::SwapBuffers()
{
    SDL_GL_SwapWindow(window_);
}

void Window::Show()
{
    SDL_ShowWindow(window_);
    // Without a window manager the focus may never arrive: a shown window counts as active.
    active_ = true;
}

bool Window::SetFullscreen(bool fullscreen)
{
    if (SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        return false;
    if (!fullscreen)
        SDL_SetWindowResizable(window_, SDL_TRUE);
    return true;
}

void Window::ClientSize(int& width, int& height) const
{
    SDL_GetWindowSize(window_, &width, &height);
}

void Window::CursorPosition(int& x, int& y) const
{
    int windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SDL_GetWindowPosition(window_, &windowX, &windowY);
    x -= windowX;
    y -= windowY;
}

void Window::CentreCursor()
{
    int width = 0, height = 0;
    ClientSize(width, height);
    SDL_WarpMouseInWindow(window_, width / 2, height / 2);
}

void Window::ShowCursor(bool show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool Window::PumpEvents()
{
    bool open = true;
    Event event;
    for (SDL_Event sdlEvent; SDL_PollEvent(&sdlEvent);)
    {
        if (gui_)
            gui_->ProcessEvent(sdlEvent);
        if (!TranslateEvent(sdlEvent, event))
            continue;
        if (event.type == EventType::Quit)
            open = false;
        else if (event.type == EventType::Activate)
            active_ = event.down;
        if (handler_)
            handler_(event);
    }
    return open;
}

void Window::WaitForEvents(double seconds)
{
    SDL_WaitEventTimeout(nullptr, static_cast<int>(seconds * 1000.0));
}

bool Window::MakeCurrent()
{
    return SDL_GL_MakeCurrent(window_, context_) == 0;
}
}
