// The editor's scene view: the rendered scene in the "Scene" window, the editor camera's flight and picking.
#include "editor.h"
#include "editorkeys.h"

#include "camerainterface.h"
#include "core.h"
#include "gameobject.h"
#include "graphics.h"
#include "imgui_compat.h"
#include "inputsystem.h"
#include "transforminterface.h"

#include <imgui_internal.h>

#include <cmath>
#include <cstdint>

namespace
{
using namespace editorkeys;
// A wheel notch moves the camera this much of its speed, however far the wheel turned.
constexpr float kZoomStep = 0.5f;
constexpr float kPanScale = 0.5f;

Graphics* GraphicsSystem()
{
    return gCore ? gCore->GetGraphics() : nullptr;
}

// The renderer's editor camera, when it has both parts.
struct EditorCamera
{
    TransformInterface* transform = nullptr;
    CameraInterface* camera = nullptr;

    EditorCamera()
    {
        if (Graphics* graphics = GraphicsSystem())
        {
            transform = graphics->GetEditorCamera().GetTransform();
            camera = graphics->GetEditorCamera().GetCamera();
        }
    }
    explicit operator bool() const { return transform && camera; }
    float Speed() const { return camera->GetMouseSensitivity(); }
    void MoveBy(const Vector3& offset) const
    {
        transform->SetPosition(transform->GetPosition() + offset);
        camera->SetViewDirty(true);
    }
};
}

std::pair<int, int> ScenePixel(const Vector2& pointInImage, float imageHeight)
{
    return {static_cast<int>(pointInImage.x), static_cast<int>(std::fabs(pointInImage.y - imageHeight))};
}

void Editor::ShowSceneWindow(const PanelRect& place)
{
    Graphics* graphics = GraphicsSystem();
    if (!graphics)
        return;
    const bool editing = EditingView();
    if (editing && sceneHovered_ && SceneUnderPointer())
    {
        TrackSceneMouse(true);
        if (mouseOverImage_)
        {
            PickObjectAtCursor();
            ZoomEditorCamera();
        }
        MoveEditorCamera();
    }
    if (editing)
        graphics->UpdateEditorCamera();
    else
        graphics->UpdateGameCamera();
    graphics->EmitParticles();
    graphics->SortTransparentRenderables();
    graphics->SortCanvasRenderers();
    if (drawColliders_)
        graphics->DrawColliders(InspectedObject());
    if (editing)
        graphics->DrawEditorView();
    else
        graphics->DrawGameView();
    graphics->UpdateDebugShapes();

    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0.0f, 0.0f));
    // Placed every frame, so dragging it would only make it jump; always behind the other windows, so floating
    // panels and the gizmo's overlay stay visible over it.
    PlaceNextWindow(place, true);
    const bool visible = ImGui::Begin("Scene", nullptr,
                                      ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollbar |
                                          ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoBackground |
                                          ImGuiWindowFlags_NoBringToFrontOnFocus);
    sceneHovered_ = ImGui::IsWindowHovered();
    if (visible)
        ShowSceneImage(*graphics, editing);
    ImGui::End();
    ImGui::PopStyleVar();
    TrackSceneMouse(visible);
}

// The image fills what the window has below its title bar; the render target follows its size.
void Editor::ShowSceneImage(Graphics& graphics, bool editing)
{
    const ImVec2 corner = ImGui::GetCursorScreenPos();
    const ImVec2 size = ImGui::GetContentRegionAvail();
    sceneImage_ = {corner.x, corner.y, size.x, size.y};
    if (size.x != imageSize_.x || size.y != imageSize_.y)
    {
        imageSize_ = Vector2(size.x, size.y);
        if (editing)
            graphics.SetEditorViewportSize(static_cast<int>(size.x), static_cast<int>(size.y));
        else
            graphics.SetGameViewportSize(static_cast<int>(size.x), static_cast<int>(size.y));
    }
    const unsigned texture =
        graphics.GetTargetTextures(editing ? Graphics::kEditorViewKey : Graphics::kGameViewKey).colour;
    // The target's rows run bottom up.
    ImGui::Image(reinterpret_cast<ImTextureID>(static_cast<std::uintptr_t>(texture)), size, ImVec2(0.0f, 1.0f),
                 ImVec2(1.0f, 0.0f));
}

// The hover the previous frame saw must hold where the pointer is now, against the windows as they were drawn:
// a press that arrives with the pointer's move (the first after start-up or Stop, or a quick move and click)
// belongs to the window it lands on.
bool Editor::SceneUnderPointer() const
{
    const ImGuiWindow* hovered = ImGui::GetCurrentContext()->HoveredWindow;
    const ImGuiWindow* scene = ImGui::FindWindowByName("Scene");
    return scene && !scene->Collapsed && hovered && hovered->RootWindow == scene;
}

void Editor::TrackSceneMouse(bool visible)
{
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    mouseInImage_ = Vector2(mouse.x - sceneImage_.x, mouse.y - sceneImage_.y);
    mouseOverImage_ = visible && mouseInImage_.x > 0.0f && mouseInImage_.x < sceneImage_.width &&
                      mouseInImage_.y > 0.0f && mouseInImage_.y < sceneImage_.height;
}

void Editor::PickObjectAtCursor()
{
    Graphics* graphics = GraphicsSystem();
    // A press on a gizmo handle or bounds anchor started its drag earlier in the frame.
    if (!graphics || !KeyTriggered(kLeftButton) || GizmoInUse())
        return;
    const auto [x, y] = ScenePixel(mouseInImage_, sceneImage_.height);
    GameObject* const candidates[] = {
        graphics->PickObject(x, y, graphics->opaqueRenderables.active.Objects()),
        graphics->PickObject(x, y, graphics->transparentRenderables.active.Objects()),
        graphics->PickIconObject(x, y, graphics->cameras.active.Objects(), graphics->FindModel(Graphics::kCameraIcon)),
        graphics->PickIconObject(x, y, graphics->IconLights(), graphics->FindModel(Graphics::kLightIcon)),
    };
    const bool ctrl = ImGui::GetIO().KeyCtrl;
    for (GameObject* candidate : candidates)
        if (candidate)
            SelectObject(candidate, ctrl);
}

void Editor::ZoomEditorCamera()
{
    const InputSystem* input = gCore ? gCore->GetInput() : nullptr;
    const EditorCamera view;
    if (!input || !view || input->GetWheel() == 0.0f)
        return;
    const float direction = input->GetWheel() > 0.0f ? 1.0f : -1.0f;
    view.MoveBy(view.transform->GetForward() * (direction * view.Speed() * kZoomStep));
}

void Editor::MoveEditorCamera()
{
    InputSystem* input = gCore ? gCore->GetInput() : nullptr;
    Graphics* graphics = GraphicsSystem();
    const EditorCamera view;
    if (!input || !graphics || !view)
        return;
    if (KeyTriggered(kKeyL))
        graphics->settings.discardAlpha = !graphics->settings.discardAlpha;
    const float step = view.Speed() * gCore->GetFrameTime();
    const Vector2 delta = input->GetMouseDelta();
    if (KeyPressed(kRightButton))
    {
        const Vector3 right = view.transform->GetRight();
        const Vector3 forward = view.transform->GetForward();
        const std::pair<std::uint16_t, Vector3> moves[] = {
            {kKeyA, right}, {kKeyW, forward}, {kKeyS, -forward}, {kKeyD, -right}};
        for (const auto& [key, axis] : moves)
            if (KeyPressed(key))
                view.MoveBy(axis * step);
        Vector3 rotation = view.transform->GetRotation();
        rotation.x -= delta.y * step;
        rotation.y += delta.x * step;
        view.transform->SetRotation(rotation);
        view.camera->SetViewDirty(true);
    }
    if (KeyPressed(kMiddleButton))
        view.MoveBy((view.transform->GetRight() * delta.x + view.transform->GetUp() * delta.y) * (step * kPanScale));
}
