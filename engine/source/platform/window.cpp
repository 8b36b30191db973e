#include "platform/window.h"

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

    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
    if (!window_)
        return false;
    context_ = SDL_GL_CreateContext(window_);
    if (!context_ || SDL_GL_MakeCurrent(window_, context_) != 0)
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

bool Window::PumpEvents()
{
    bool open = true;
    for (SDL_Event event; SDL_PollEvent(&event);)
    {
        if (event.type == SDL_QUIT)
            open = false;
        else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
            active_ = true;
        else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            active_ = false;
    }
    return open;
}

void Window::WaitForEvents(double seconds)
{
    SDL_WaitEventTimeout(nullptr, static_cast<int>(seconds * 1000.0));
}
}
