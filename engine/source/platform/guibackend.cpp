#include "platform/guibackend.h"

#include "platform/window.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

namespace platform
{
bool GuiBackend::Init(Window& window)
{
    Shutdown();
    if (!window.IsOpen() || !ImGui_ImplSDL2_InitForOpenGL(window.window_, window.context_))
        return false;
    if (!ImGui_ImplOpenGL3_Init("#version 330"))
    {
        ImGui_ImplSDL2_Shutdown();
        return false;
    }
    window_ = &window;
    return true;
}

void GuiBackend::Shutdown()
{
    if (!window_)
        return;
    // The GL objects go with the context the window still holds.
    window_->MakeCurrent();
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    window_ = nullptr;
}

void GuiBackend::NewFrame()
{
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
}

void GuiBackend::RenderAndPresent()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    ImDrawData* drawData = ImGui::GetDrawData();
    if (drawData && drawData->Valid)
        ImGui_ImplOpenGL3_RenderDrawData(drawData);
    window_->SwapBuffers();
}

void GuiBackend::ProcessEvent(const SDL_Event& event)
{
    ImGui_ImplSDL2_ProcessEvent(&event);
}
}
