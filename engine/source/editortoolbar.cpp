// The gizmo toolbar of the menu bar, its snap windows, and the Rendering Settings window.
#include "editor.h"
#include "editorkeys.h"

#include "core.h"
#include "editorvalues.h"
#include "graphics.h"
#include "imgui_compat.h"

#include <cfloat>
#include <cstring>

namespace
{
using namespace editorkeys;
// A tool's tooltip waits this long under the mouse.
constexpr float kTooltipDelaySeconds = 1.0f;
constexpr ImGuiWindowFlags kSnapWindowFlags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                                              ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoDocking;

const char* SnapLabel(int operation)
{
    switch (operation)
    {
    case gizmo::kRotate: return "Angle Snap";
    case gizmo::kScale: return "Scale Snap";
    default: return "Snap";
    }
}

// A label, then its widget without one on the same line.
void FieldLabel(const char* label)
{
    ImGui::TextUnformatted(label);
    ImGui::SameLine();
}

bool DragSetting(const char* label, const char* id, float& value, float speed, float min, float max)
{
    FieldLabel(label);
    return editorvalues::EditFinite(value,
                                    [&](float* copy) { return ImGui::DragFloat(id, copy, speed, min, max, "%.3f"); });
}
}

void Editor::ShowHelpMarker(const char* text)
{
    ImGui::TextDisabled("(?)");
    if (!ImGui::IsItemHovered())
        return;
    ImGui::BeginTooltip();
    ImGui::PushTextWrapPos(ImGui::GetFontSize() * 35.0f);
    ImGui::TextUnformatted(text);
    ImGui::PopTextWrapPos();
    ImGui::EndTooltip();
}

void Editor::ShowToolButton(const char* label, int operation, std::uint16_t key, const char* tip)
{
    if (ImGui::RadioButton(label, gizmoSettings_.operation == operation))
        gizmoSettings_.operation = operation;
    if (KeyPressed(key) && !KeyPressed(kRightButton))
        gizmoSettings_.operation = operation;
    float& hovered = gizmoSettings_.toolHoverSeconds[operation];
    hovered = ImGui::IsItemHovered() ? hovered + (gCore ? gCore->GetFrameTime() : 0.0f) : 0.0f;
    if (hovered >= kTooltipDelaySeconds)
        ImGui::SetTooltip("%s", tip);
    ImGui::SameLine();
}

void Editor::ShowGizmoToolbar()
{
    ShowToolButton("Move", gizmo::kMove, kKeyQ, "Move Tool (Q)");
    ShowToolButton("Rotate", gizmo::kRotate, kKeyW, "Rotate Tool (W)");
    ShowToolButton("Scale", gizmo::kScale, kKeyE, "Scale Tool (E)");
    ImGui::TextUnformatted(SnapLabel(gizmoSettings_.operation));
    ImGui::SameLine();
    ShowHelpMarker("Press Shift to snap");
    ImGui::SameLine();
    gizmoSettings_.useSnap = KeyPressed(kKeyShift);
    ImGui::Checkbox("Show Snap value", &gizmoSettings_.showSnapValue);
    ImGui::SameLine();
    if (KeyTriggered(kKeySix))
        gizmoSettings_.boundSizing = !gizmoSettings_.boundSizing;
    ImGui::Checkbox("Bound Sizing", &gizmoSettings_.boundSizing);
    ImGui::SameLine();
    ShowSnapWindows();
}

void Editor::ShowSnapWindows()
{
    gizmo::Settings& settings = gizmoSettings_;
    if (settings.showSnapValue)
    {
        if (ImGui::Begin("Snap Value", &settings.showSnapValue, kSnapWindowFlags))
        {
            if (settings.operation == gizmo::kRotate || settings.operation == gizmo::kScale)
                editorvalues::EditFinite(settings.snap[0], [&](float* copy) {
                    return ImGui::InputFloat(settings.operation == gizmo::kRotate ? "##Angle Snap" : "##Scale Snap",
                                             copy, 0.0f, 0.0f, "%.3f", ImGuiInputTextFlags_CharsScientific);
                });
            else
                editorvalues::EditFinite(settings.snap, 3,
                                         [](float* copy) { return ImGui::InputFloat3("##Snap", copy, "%.3f"); });
        }
        ImGui::End();
    }
    if (settings.boundSizing)
    {
        if (ImGui::Begin("Bound Sizing", &settings.boundSizing, kSnapWindowFlags))
        {
            ImGui::Checkbox("##BoundsSnap", &settings.boundsSnapOn);
            ImGui::SameLine();
            editorvalues::EditFinite(settings.boundsSnap, 3,
                                     [](float* copy) { return ImGui::InputFloat3("Snap", copy, "%.3f"); });
        }
        ImGui::End();
    }
}

void Editor::ShowRenderingSettings()
{
    Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr;
    if (!ImGui::Begin("Rendering Settings", &renderingSettingsOpen_, ImGuiWindowFlags_NoCollapse) || !graphics)
    {
        ImGui::End();
        return;
    }
    RenderSettings& settings = graphics->settings;
    if (ImGui::CollapsingHeader("Lighting"))
    {
        FieldLabel("World Ambient");
        float ambient[3] = {settings.worldAmbient.x, settings.worldAmbient.y, settings.worldAmbient.z};
        if (ImGui::ColorEdit3("##worldAmbientClr", ambient,
                              ImGuiColorEditFlags_NoAlpha | ImGuiColorEditFlags_NoInputs | ImGuiColorEditFlags_NoLabel))
            graphics->SetWorldAmbient(Vector3(ambient[0], ambient[1], ambient[2]));
        DragSetting("Shadow Map Box Size", "##shadowMapBoxEdit", settings.shadowBoxHalfSize, 1.0f, -FLT_MAX, FLT_MAX);
        DragSetting("Light Near", "##lightNEdit", settings.shadowNear, 0.01f, -FLT_MAX, FLT_MAX);
        DragSetting("Light Far", "##lightFEdit", settings.shadowFar, 0.01f, -FLT_MAX, FLT_MAX);
        DragSetting("Shadow Height Offset", "##shoEdit", settings.shadowHeightOffset, 0.01f, -FLT_MAX, FLT_MAX);
        DragSetting("Exposure", "##exposureEdit", settings.exposure, 0.01f, 0.0f, 10.0f);
    }
    if (ImGui::CollapsingHeader("Skybox"))
    {
        FieldLabel("Render Skybox?");
        ImGui::Checkbox("##renderSkyboxCheck", &settings.renderSkybox);
        FieldLabel("SkyboxFolderName");
        char name[256] = {};
        std::strncpy(name, settings.skyboxName.c_str(), sizeof name - 1);
        ImGui::PushItemWidth(ImGui::GetWindowWidth() - 15.0f);
        // Only Enter hands the name over; the same name reloads nothing.
        if (ImGui::InputText("##skyboxFolderNameInput", name, sizeof name, ImGuiInputTextFlags_EnterReturnsTrue))
            graphics->SetSkybox(name);
        ImGui::PopItemWidth();
    }
    if (ImGui::CollapsingHeader("Debug"))
        ImGui::Checkbox("Draw Colliders?", &settings.drawColliders);
    ImGui::End();
}
