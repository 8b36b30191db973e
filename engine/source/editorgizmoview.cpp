// The transform gizmo in the editor: its overlay over the scene picture and its frame for the inspected object.
#include "editor.h"

#include "core.h"
#include "gameobject.h"
#include "graphics.h"
#include "imgui_compat.h"
#include "transforminterface.h"

#include <imgui_internal.h>

#include <algorithm>

namespace
{
ImVec2 ToImVec(const Vector2& v)
{
    return {v.x, v.y};
}

// The gizmo's shapes in the overlay window's draw list.
class DrawListCanvas : public gizmo::Canvas
{
public:
    explicit DrawListCanvas(ImDrawList& list) : list_(list) {}

    void Line(const Vector2& from, const Vector2& to, gizmo::Colour colour, float thickness) override
    {
        list_.AddLine(ToImVec(from), ToImVec(to), colour, thickness);
    }
    void Circle(const Vector2& centre, float radius, gizmo::Colour colour, int segments, float thickness) override
    {
        list_.AddCircle(ToImVec(centre), radius, colour, segments, thickness);
    }
    void FilledCircle(const Vector2& centre, float radius, gizmo::Colour colour, int segments) override
    {
        list_.AddCircleFilled(ToImVec(centre), radius, colour, segments);
    }
    void FilledTriangle(const Vector2& a, const Vector2& b, const Vector2& c, gizmo::Colour colour) override
    {
        list_.AddTriangleFilled(ToImVec(a), ToImVec(b), ToImVec(c), colour);
    }
    void Polyline(const std::vector<Vector2>& points, gizmo::Colour colour, bool closed, float thickness) override
    {
        const std::vector<ImVec2> converted = Converted(points);
        list_.AddPolyline(converted.data(), static_cast<int>(converted.size()), colour,
                          closed ? ImDrawFlags_Closed : 0, thickness);
    }
    void FilledConvex(const std::vector<Vector2>& points, gizmo::Colour colour) override
    {
        const std::vector<ImVec2> converted = Converted(points);
        list_.AddConvexPolyFilled(converted.data(), static_cast<int>(converted.size()), colour);
    }
    void Text(const Vector2& at, gizmo::Colour colour, const std::string& text) override
    {
        list_.AddText(ToImVec(at), colour, text.c_str());
    }

private:
    static std::vector<ImVec2> Converted(const std::vector<Vector2>& points)
    {
        std::vector<ImVec2> converted;
        converted.reserve(points.size());
        for (const Vector2& point : points)
            converted.push_back(ToImVec(point));
        return converted;
    }

    ImDrawList& list_;
};

// The mouse and the GUI's hold on it, as the gizmo takes them.
gizmo::Input GuiInput()
{
    const ImGuiContext& gui = *GImGui;
    gizmo::Input input;
    input.mouse = Vector2(gui.IO.MousePos.x, gui.IO.MousePos.y);
    input.leftDownSeconds = gui.IO.MouseDownDuration[0];
    input.itemHovered = gui.HoveredId != 0 || gui.HoveredIdPreviousFrame != 0;
    input.itemActive = gui.ActiveId != 0;
    return input;
}
}

// An input-less window over last frame's scene picture; its draw list, clipped to the picture, takes the
// gizmo. Windows that never come to the front are stacked in the order they were first made, so it is made
// from the first frame on, before the Scene window, and stays above it.
void Editor::GizmoBeginFrame()
{
    // A zero size would make the window fit its contents.
    ImGui::SetNextWindowSize(ImVec2(std::max(sceneImage_.width, 1.0f), std::max(sceneImage_.height, 1.0f)));
    ImGui::SetNextWindowPos(ImVec2(sceneImage_.x, sceneImage_.y));
    ImGui::PushStyleColor(ImGuiCol_WindowBg, 0u);
    ImGui::PushStyleColor(ImGuiCol_Border, 0u);
    ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0.0f);
    ImGui::Begin("gizmo", nullptr,
                 ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoScrollbar |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoInputs |
                     ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoBringToFrontOnFocus);
    gizmoDrawList_ = ImGui::GetWindowDrawList();
    const ImVec2 corner = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    gizmoDrawList_->PushClipRect(corner, ImVec2(corner.x + size.x, corner.y + size.y));
    ImGui::End();
    ImGui::PopStyleVar();
    ImGui::PopStyleColor(2);
}

// The inspected scene object's transform under the editor camera; nothing while the scene plays.
void Editor::DrawSceneGizmo()
{
    Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr;
    if (!graphics || !gizmoDrawList_ || gCore->IsPlaying())
        return;
    GameObject* object = inspectedIsPrefab_ ? nullptr : InspectedObject();
    DrawListCanvas canvas(*gizmoDrawList_);
    gizmo::DrawSceneGizmo(gizmoContext_, canvas, gizmoSettings_, GuiInput(), sceneImage_, graphics->GetEditorView(),
                          graphics->GetEditorProjection(), object ? object->GetTransform() : nullptr);
    if (gizmoContext_.wantsMouse)
        ImGui::CaptureMouseFromApp(true);
}
