// The Inspector's editors of the script holder and the UI components. None of these edits can be undone.
#include "assertion.h"
#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_image.h"
#include "c_recttransform.h"
#include "core.h"
#include "editor.h"
#include "editorscripts.h"
#include "editorshowinfo.h"
#include "editoruicomponents.h"
#include "editorvalues.h"
#include "gameobject.h"
#include "logic.h"
#include "monobehavior.h"
#include "resourcemanager.h"

#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <climits>

namespace
{
Logic* CurrentLogic()
{
    return gCore ? gCore->GetLogic() : nullptr;
}

void ShowEnabledCheckbox(Component& component, const char* label)
{
    bool enabled = component.IsEnabled();
    if (ImGui::Checkbox(label, &enabled))
        component.SetEnabled(enabled);
}
} // namespace

namespace inspector
{
void ShowRectTransformEditor(RectTransform& rect)
{
    Vector3 position = rect.GetPosition();
    ColouredText(kLabelPale, "Position (X, Y, Z):");
    if (editorvalues::EditFinite(&position.x, 3, [](float* copy) {
            return ImGui::DragFloat3("##rectTxPos", copy, 0.1f, -FLT_MAX, FLT_MAX, "%.3f");
        }))
        rect.SetPosition(position);
    Vector2 scale = rect.GetScale();
    ColouredText(kLabelPale, "Scale (X, Y):");
    if (editorvalues::EditFinite(&scale.x, 2, [](float* copy) {
            return ImGui::DragFloat2("##rectTxScale", copy, 0.01f, 0.0f, FLT_MAX, "%.3f");
        }))
        rect.SetScale(scale);
    float rotation = rect.GetRotation();
    ColouredText(kLabelPale, "Rot (X, Y):");
    if (editorvalues::EditFinite(rotation, [](float* copy) {
            return ImGui::DragFloat("##rectTxRot", copy, 0.01f, -FLT_MAX, FLT_MAX, "%.3f");
        }))
        rect.SetRotation(rotation);
}

void ShowCanvasRendererEditor(const CanvasRenderer& renderer)
{
    ColouredText(kLabelMint, "In Canvas: ");
    ImGui::SameLine();
    const Canvas* canvas = renderer.GetCanvas();
    const GameObject* owner = canvas ? canvas->GetGameObject(false) : nullptr;
    ColouredText(kLabelPale, owner ? owner->GetName().c_str() : "Not attached to any canvases.");
}

void ShowImageEditor(Image& image)
{
    ShowEnabledCheckbox(image, "Enable?##uiCompEnable");
    ColouredText(kLabelPale, "Material:");
    std::string chosen;
    if (gResourceManager &&
        NameCombo("##imgMat", image.GetMaterial().name, gResourceManager->materials, chosen))
        image.SetMaterial(chosen);
    ColouredText(kLabelPale, "Set Alpha:");
    float alpha = image.GetAlpha();
    if (editorvalues::EditFinite(alpha, [](float* copy) {
            return ImGui::DragFloat("##rectTxRot", copy, 0.01f, 0.0f, 1.0f, "%.3f");
        }))
        image.SetAlpha(alpha);
}

void ShowCanvasEditor(Canvas& canvas)
{
    ShowEnabledCheckbox(canvas, "Enable?##uiCompEnable");
    ColouredText(kLabelPale, "Pixel Per Unit:");
    int pixelsPerUnit = static_cast<int>(std::min<unsigned>(canvas.GetPPU(), INT_MAX));
    if (ImGui::DragInt("##uiPPU", &pixelsPerUnit, 1.0f, 0, INT_MAX, "%d"))
        canvas.SetPPU(static_cast<unsigned>(pixelsPerUnit));
}
} // namespace inspector

void Editor::ShowScriptAndUIEditor(GameObject& object, Component& component)
{
    switch (component.GetKind())
    {
    case CompEnum::MonoBehavior:
        ShowScriptEditor(object, static_cast<MonoBehaviorDLL&>(component));
        break;
    case CompEnum::RectTransform:
        inspector::ShowRectTransformEditor(static_cast<RectTransform&>(component));
        break;
    case CompEnum::CanvasRenderer:
        inspector::ShowCanvasRendererEditor(static_cast<CanvasRenderer&>(component));
        break;
    case CompEnum::Image:
        inspector::ShowImageEditor(static_cast<Image&>(component));
        break;
    case CompEnum::Canvas:
        inspector::ShowCanvasEditor(static_cast<Canvas&>(component));
        break;
    default:
        break;
    }
}

void Editor::ShowScriptEditor(GameObject& object, MonoBehaviorDLL& holder)
{
    ScriptEditorState& state = ScriptEditor();
    ShowEnabledCheckbox(holder, "Enable ##transform");
    ImGui::TextUnformatted("Scripts Attached to the Object: ");
    const std::vector<std::string> names = holder.GetAttachedScriptNames();
    for (std::size_t n = 0; n < names.size(); ++n)
        ImGui::Text("%zu. %s", n + 1, names[n].c_str());
    ImGui::TextUnformatted("");
    inspector::NameCombo("Scripts", state.chosenScriptName, scriptNames_);
    if (ImGui::Button("Add Script"))
        AddChosenScript(object, holder);
    state.ShowScripts(object, refreshScriptInspector);
    refreshScriptInspector = false;
}

void Editor::AddChosenScript(GameObject& object, MonoBehaviorDLL& holder)
{
    ScriptEditorState& state = ScriptEditor();
    state.Forget();
    Logic* logic = CurrentLogic();
    const std::string& name = state.chosenScriptName;
    if (!logic || !std::ranges::count(logic->GetScriptNames(), name))
        return;
    if (!inspectedIsPrefab_)
    {
        holder.RegisterScript(name);
        return;
    }
    for (GameObject* instance : inspector::InstancesOf(object))
        if (auto* instanceHolder = instance->GetComponent<MonoBehaviorDLL>())
            instanceHolder->RegisterScript(name);
    // The prefab is not in the scene: it holds a clone without joining Logic's objects.
    if (holder.FindExact(name))
    {
        ASSERT(false, name + " already added");
        return;
    }
    if (std::unique_ptr<MonoBehaviorInterface> script = logic->FindScript(name))
    {
        script->owner = &object;
        holder.SetScript(name, std::move(script));
    }
}
