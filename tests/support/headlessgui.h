#pragma once
// A GUI context of its own without a window or a renderer: frames are built and thrown away, and the pointer,
// the left button, typed characters and Enter are whatever the test says.
#include <imgui.h>
#include <imgui_internal.h>

#include <optional>

class HeadlessGui
{
public:
    static constexpr int kEnterKey = 13;

    HeadlessGui() : previous_(ImGui::GetCurrentContext()), context_(ImGui::CreateContext())
    {
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = ImVec2(800.0f, 600.0f);
        io.DeltaTime = 1.0f / 60.0f;
        io.IniFilename = nullptr;
        io.KeyMap[ImGuiKey_Enter] = kEnterKey;
        unsigned char* pixels = nullptr;
        int width = 0;
        int height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    }
    ~HeadlessGui()
    {
        ImGui::DestroyContext(context_);
        ImGui::SetCurrentContext(previous_);
    }
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

    // One frame with draw called inside a window that fills the display.
    template <typename Draw>
    void Frame(Draw&& draw)
    {
        ImGui::SetCurrentContext(context_);
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
        ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
        ImGui::Begin("Probe", nullptr, ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove);
        draw();
        ImGui::End();
        ImGui::Render();
        ImGui::GetIO().KeysDown[kEnterKey] = false;
    }

    void MoveTo(ImVec2 point) { ImGui::GetIO().MousePos = point; }
    void Button(bool down) { ImGui::GetIO().MouseDown[0] = down; }
    void Type(const char* text) { ImGui::GetIO().AddInputCharactersUTF8(text); }
    // Enter is down for the next frame only.
    void PressEnter() { ImGui::GetIO().KeysDown[kEnterKey] = true; }

    // A press at from, a move by steps of step pixels in x, and the release, one frame each, with draw.
    template <typename Draw>
    void Drag(ImVec2 from, float step, int steps, Draw&& draw)
    {
        MoveTo(from);
        Frame(draw);
        Button(true);
        Frame(draw);
        for (int n = 1; n <= steps; ++n)
        {
            MoveTo(ImVec2(from.x + step * static_cast<float>(n), from.y));
            Frame(draw);
        }
        Button(false);
        Frame(draw);
    }

    // A point over the item of that id: the first of a scan down the line at x that hovers it.
    template <typename Draw>
    std::optional<ImVec2> Find(ImGuiID id, float x, Draw&& draw)
    {
        for (float y = 0.0f; y < ImGui::GetIO().DisplaySize.y; y += 3.0f)
        {
            MoveTo(ImVec2(x, y));
            Frame(draw);
            if (ImGui::GetCurrentContext()->HoveredId == id)
                return ImVec2(x, y);
        }
        return std::nullopt;
    }

    template <typename Draw>
    void Click(ImVec2 at, Draw&& draw)
    {
        Drag(at, 0.0f, 0, draw);
    }

private:
    ImGuiContext* previous_;
    ImGuiContext* context_;
};
