// The Inspector's body for a scene object or a prefab: the header with the object's ids, name, tag and flags,
// the prefab save, one editor per component, and the Add and Remove Component popups.
#include "editorshowinfo.h"

#include "assertion.h"
#include "c_particlesystem.h"
#include "componentregistry.h"
#include "core.h"
#include "editor.h"
#include "editorvalues.h"
#include "graphics.h"
#include "logic.h"
#include "monobehavior.h"
#include "objectfactory.h"

#include <imgui_stdlib.h>

#include <algorithm>
#include <iostream>

namespace inspector
{
std::vector<GameObject*> InstancesOf(const GameObject& prefab)
{
    std::vector<GameObject*> instances;
    if (!gFactory)
        return instances;
    for (GameObject* live : gFactory->GetObjects())
        if (live->GetPrefabID() == prefab.GetID())
            instances.push_back(live);
    return instances;
}

void ColouredText(const ImVec4& colour, const char* text)
{
    ImGui::TextColored(colour, "%s", text);
}

void Tooltip(const char* text)
{
    if (ImGui::IsItemHovered())
        ImGui::SetTooltip("%s", text);
}

bool NameCombo(const char* label, std::string& choice, const std::vector<std::string>& names,
               ImGuiComboFlags flags)
{
    if (!ImGui::BeginCombo(label, choice.c_str(), flags))
        return false;
    for (const std::string& name : names)
        if (ImGui::Selectable(name.c_str(), name == choice))
            choice = name;
    ImGui::EndCombo();
    return true;
}

bool ConfirmButtons()
{
    const bool confirmed = ImGui::Button("OK", ImVec2(120.0f, 0.0f));
    ImGui::SetItemDefaultFocus();
    ImGui::SameLine();
    const bool cancelled = ImGui::Button("Cancel", ImVec2(120.0f, 0.0f));
    if (confirmed || cancelled)
        ImGui::CloseCurrentPopup();
    return confirmed;
}

namespace
{
void SetWidth(float width)
{
    if (width > 0.0f)
        ImGui::SetNextItemWidth(width);
}
}

bool EnterFloat(const char* id, float& value, float width)
{
    SetWidth(width);
    return editorvalues::EditFinite(value, [id](float* copy) {
        return ImGui::InputFloat(id, copy, 0.0f, 0.0f, "%.3f", ImGuiInputTextFlags_EnterReturnsTrue);
    });
}

bool EnterInt(const char* id, int& value, float width)
{
    SetWidth(width);
    return ImGui::InputInt(id, &value, 0, 0, ImGuiInputTextFlags_EnterReturnsTrue);
}

bool EnterVector3(const std::array<const char*, 3>& ids, Vector3& value, float width)
{
    static constexpr const char* kAxes[] = {"x:", "y:", "z:"};
    bool committed = false;
    for (unsigned axis = 0; axis < 3; ++axis)
    {
        if (axis > 0)
            ImGui::SameLine();
        ImGui::TextUnformatted(kAxes[axis]);
        ImGui::SameLine();
        committed |= EnterFloat(ids[axis], value[axis], width);
    }
    return committed;
}

std::vector<std::string> AddableComponentNames(const GameObject& object)
{
    const bool isUI = object.FirstOfType(CompEnum::Canvas) || object.FirstOfType(CompEnum::CanvasRenderer);
    const bool isMesh = object.FirstOfType(CompEnum::MeshFilter) || object.FirstOfType(CompEnum::MeshRenderer);
    std::vector<std::string> names;
    for (const auto& [name, creator] : ComponentCreators())
    {
        if (isUI && (name == "MeshFilter" || name == "MeshRenderer"))
            continue;
        if (isMesh && (name == "Canvas" || name == "CanvasRenderer"))
            continue;
        names.push_back(name);
    }
    return names;
}

namespace
{
Graphics* GraphicsSystem()
{
    return gCore ? gCore->GetGraphics() : nullptr;
}
}

std::vector<std::string> RemovableComponentNames(const GameObject& object)
{
    std::vector<std::string> names;
    for (const auto& component : object.GetComponents())
    {
        const char* name = EditorNamesOf(*component).removeName;
        if (!name)
            continue;
        names.emplace_back(name);
        if (component->GetKind() == CompEnum::MonoBehavior)
            std::ranges::move(static_cast<const MonoBehaviorDLL&>(*component).GetAttachedScriptNames(),
                              std::back_inserter(names));
    }
    return names;
}

void AddChosenComponent(GameObject& object, const std::string& choice)
{
    if (choice == "MeshFilter" || choice == "MeshRenderer")
    {
        RecordComponentAdd(object, "MeshFilter");
        RecordComponentAdd(object, "MeshRenderer");
    }
    else
        RecordComponentAdd(object, choice);
    if (choice.find("Collider") != std::string::npos)
        RecordComponentAdd(object, "RigidBody");
}

bool RemoveChosenComponent(GameObject& object, const std::string& choice,
                           const std::vector<std::string>& scriptPrototypes)
{
    Graphics* graphics = GraphicsSystem();
    if (choice == "MeshRenderer" || choice == "MeshFilter")
    {
        if (graphics)
            graphics->RemoveRenderable(&object);
        RecordComponentRemove(object, "MeshRenderer");
        RecordComponentRemove(object, "MeshFilter");
    }
    else
    {
        if (graphics && choice == "ParticleSystem")
            graphics->RemoveParticleSystem(&object);
        if (graphics && (choice == "DirectionalLight" || choice == "PointLight"))
            graphics->RemoveLight(&object);
        RecordComponentRemove(object, choice);
    }
    if (choice.find("MonoBehaviorDLL") != std::string::npos)
        RecordComponentRemove(object, "MonoBehavior");
    auto* holder = object.GetComponent<MonoBehaviorDLL>();
    if (!holder || std::ranges::find(scriptPrototypes, choice) == scriptPrototypes.end())
        return false;
    holder->EraseScript(choice);
    return true;
}

namespace
{
GameObject* PrefabOf(const GameObject& instance)
{
    if (!gFactory || instance.GetPrefabID() == 0)
        return nullptr;
    for (GameObject* prefab : gFactory->GetPrefabs())
        if (prefab->GetID() == instance.GetPrefabID())
            return prefab;
    return nullptr;
}
}

std::string PrefabFileOf(const GameObject& instance)
{
    const GameObject* prefab = PrefabOf(instance);
    return prefab ? PrefabFileName(prefab->GetName(), prefab->GetID()) : std::string();
}

bool SaveInstanceAsPrefab(const GameObject& instance)
{
    GameObject* prefab = PrefabOf(instance);
    if (!Check(prefab, instance.GetName() + " - no prefab has the id " + std::to_string(instance.GetPrefabID())))
        return false;
    GameObject before(prefab->GetName(), prefab->GetID());
    before.TakePrefabContents(*prefab);
    prefab->TakePrefabContents(instance);
    const std::string folder = gFactory->GetRootFolder() + "Assets/Prefabs/";
    if (gFactory->SavePrefab(*prefab, folder))
        return true;
    ASSERT(false, "Error creating " + folder + PrefabFileName(prefab->GetName(), prefab->GetID()));
    prefab->TakePrefabContents(before);
    return false;
}
}

void Editor::ShowObjectInfo()
{
    GameObject* object = InspectedObject();
    if (!object)
        return;
    ShowObjectHeader(*object);
    // The editors may park a component: the list is walked as it stood.
    std::vector<Component*> components;
    for (const auto& component : object->GetComponents())
        components.push_back(component.get());
    for (Component* component : components)
        ShowComponentEditor(*object, *component);
    ShowAddComponentPopup(*object);
    ShowRemoveComponentPopup(*object);
}

namespace
{
void LabelledValue(const char* label, const std::string& value)
{
    inspector::ColouredText(inspector::kLabelGreen, label);
    ImGui::SameLine();
    ImGui::TextUnformatted(value.c_str());
}

// A text field that takes its value from the object every frame and hands the text over only on Enter.
template <class Setter>
void EnterText(const char* id, std::string text, Setter set)
{
    ImGui::SetNextItemWidth(ImGui::GetWindowWidth() - 15.0f);
    if (ImGui::InputText(id, &text, ImGuiInputTextFlags_EnterReturnsTrue))
        set(text);
}
}

void Editor::ShowObjectHeader(GameObject& object)
{
    using namespace inspector;
    LabelledValue("Obj ID: ", inspectedIsPrefab_ ? "0 (Not an instantiated object)" : std::to_string(object.GetID()));
    GameObject* parent = object.GetParent();
    LabelledValue("Parent ID: ", parent ? std::to_string(parent->GetID()) : "0");
    if (parent)
    {
        ImGui::SameLine();
        if (ImGui::Button("Unparent##unparentObj"))
            object.DetachFromParent();
    }
    const ObjectId prefabId = inspectedIsPrefab_ ? object.GetID() : object.GetPrefabID();
    LabelledValue("Prefab ID: ", prefabId ? std::to_string(prefabId) : "0 (Not a prefab)");
    if (object.GetPrefabID() != 0)
    {
        ImGui::SameLine();
        if (ImGui::Button("Save this prefab...##savePrefabBtn"))
            ImGui::OpenPopup("Save Prefab?");
        ShowSavePrefabPopup(object);
    }

    ColouredText(kLabelGreen, "Enable?");
    bool active = object.IsActive();
    if (ImGui::Checkbox("##enable", &active))
        object.SetActive(active);
    ColouredText(kLabelGreen, "Name");
    EnterText("##name", object.GetName(), [&object](const std::string& name) { object.SetName(name); });
    ColouredText(kLabelGreen, "Tag");
    EnterText("##tag", object.GetTag(), [&object](const std::string& tag) { object.SetTag(tag); });
    ColouredText(kLabelGreen, "Moveable?");
    ImGui::SameLine();
    bool moveable = object.IsMoveable();
    if (ImGui::Checkbox("##moveableObject", &moveable))
        object.SetMoveable(moveable);
    ImGui::Separator();
}

void Editor::ShowSavePrefabPopup(GameObject& object)
{
    if (!ImGui::BeginPopupModal("Save Prefab?", nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return;
    const std::string file = inspector::PrefabFileOf(object);
    ImGui::Text("Save as %s?", file.c_str());
    ImGui::Separator();
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(0.0f, 0.0f));
    ImGui::Checkbox("Don't ask me next time", &dontAskPrefabSave_);
    ImGui::PopStyleVar();
    if (inspector::ConfirmButtons())
        inspector::SaveInstanceAsPrefab(object);
    ImGui::EndPopup();
}

namespace
{
bool IsScriptOrUI(CompEnum type)
{
    return type == CompEnum::MonoBehavior || type == CompEnum::RectTransform || type == CompEnum::CanvasRenderer ||
           type == CompEnum::Image || type == CompEnum::Canvas;
}
}

void Editor::ShowComponentEditor(GameObject& object, Component& component)
{
    const std::string label = EditorNamesOf(component).label;
    if (label.empty() || !ImGui::TreeNode(label.c_str()))
        return;
    if (component.GetKind() == CompEnum::ParticleSystem)
        ShowParticleSystemEditor(object, static_cast<ParticleSystem&>(component));
    else if (IsScriptOrUI(component.GetKind()))
        ShowScriptAndUIEditor(object, component);
    else
        inspector::ShowSceneComponentEditor(object, component, inspectedIsPrefab_);
    ImGui::Separator();
    ImGui::TreePop();
}

namespace
{
// A button that opens the popup; true while the popup shows, to be ended with EndPopup.
bool PopupButton(const char* button, const char* popup)
{
    if (ImGui::Button(button))
        ImGui::OpenPopup(popup);
    if (!ImGui::BeginPopup(popup))
        return false;
    ImGui::Separator();
    return true;
}
}

void Editor::ShowAddComponentPopup(GameObject& object)
{
    if (!PopupButton("Add Component", "Add Component Pop Up"))
        return;
    inspector::NameCombo("Components", addComponentChoice_, inspector::AddableComponentNames(object));
    if (ImGui::Button("Add New Component"))
    {
        inspector::AddChosenComponent(object, addComponentChoice_);
        ImGui::CloseCurrentPopup();
    }
    // Registration files only what is not filed yet: an added renderer, light or camera shows at once.
    Graphics* graphics = inspector::GraphicsSystem();
    if (graphics && !inspectedIsPrefab_)
        graphics->RegisterObject(&object);
    ImGui::EndPopup();
}

void Editor::ShowRemoveComponentPopup(GameObject& object)
{
    if (!PopupButton("Remove Component", "Remove Component Pop Up"))
        return;
    // The choice goes to standard output every frame the combo is open.
    if (inspector::NameCombo("Components", removeComponentChoice_, inspector::RemovableComponentNames(object),
                             ImGuiComboFlags_HeightLargest))
        std::cout << removeComponentChoice_ << '\n';
    if (ImGui::Button("Remove Component"))
    {
        Logic* logic = gCore ? gCore->GetLogic() : nullptr;
        if (inspector::RemoveChosenComponent(object, removeComponentChoice_,
                                             logic ? logic->GetScriptNames() : std::vector<std::string>{}))
            refreshScriptInspector = true;
    }
    ImGui::EndPopup();
}
