// The editor's Hierarchy window: the scene's object tree, selection, parenting, canvas saving, prefab making,
// and what the Inspector shows.
#include "editor.h"
#include "editorshowinfo.h"

#include "assertion.h"
#include "c_canvas.h"
#include "camerainterface.h"
#include "core.h"
#include "gameobject.h"
#include "graphics.h"
#include "imgui_compat.h"
#include "objectfactory.h"
#include "resourcemanager.h"
#include "transforminterface.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
constexpr const char* kObjectPayload = "DND_GAMEOBJECT_ITEM";
const ImVec4 kCountColour(0.0f, 1.0f, 0.0f, 1.0f);

void ClearFlags(auto& flags)
{
    for (auto& [key, flag] : flags)
        flag = false;
}

void DragObject(const GameObject& object)
{
    if (!ImGui::BeginDragDropSource())
        return;
    const ObjectId id = object.GetID();
    ImGui::SetDragDropPayload(kObjectPayload, &id, sizeof id);
    ImGui::TextUnformatted(object.GetName().c_str());
    ImGui::EndDragDropSource();
}

// The id of an object dropped on the last item this frame, or 0.
ObjectId DroppedObject()
{
    ObjectId id = 0;
    if (!ImGui::BeginDragDropTarget())
        return id;
    const ImGuiPayload* payload = ImGui::AcceptDragDropPayload(kObjectPayload);
    if (payload && payload->DataSize == sizeof id)
        std::memcpy(&id, payload->Data, sizeof id);
    ImGui::EndDragDropTarget();
    return id;
}
}

void Editor::SetInspected(GameObject* object, const std::string& material, InspectorKind kind, bool reset)
{
    inspected_ = nullptr;
    inspectedId_ = 0;
    inspectedMaterial_.clear();
    inspectedIsPrefab_ = false;
    inspectorKind_ = kind;
    if (reset)
    {
        objects_.clear();
        if (gFactory)
            for (const GameObject* live : gFactory->GetObjects())
                objects_[live->GetID()] = false;
    }
    switch (kind)
    {
    case InspectorKind::SceneObject:
        ClearFlags(prefabFlags_);
        inspected_ = object;
        if (object)
            objects_[inspectedId_ = object->GetID()] = true;
        break;
    case InspectorKind::Prefab:
        ClearFlags(objects_);
        inspected_ = object;
        inspectedIsPrefab_ = true;
        if (object)
            prefabFlags_[object->GetPrefabID()] = true;
        break;
    case InspectorKind::Material:
        ClearFlags(objects_);
        inspectedMaterial_ = material;
        materialFlags_[material] = true;
        break;
    case InspectorKind::Nothing:
        ForgetScriptProperties();
        break;
    }
}

GameObject* Editor::InspectedObject() const
{
    if (inspectorKind_ != InspectorKind::SceneObject)
        return inspected_;
    // Destroyed objects are freed while the scene plays: only a live one may be used.
    return gFactory && inspected_ && gFactory->FindObjectById(inspectedId_) == inspected_ ? inspected_ : nullptr;
}

void Editor::SelectObject(GameObject* object, bool addToSelection)
{
    if (!addToSelection)
    {
        ClearFlags(objects_);
        selected_.clear();
        picked_.clear();
    }
    picked_.push_back(object);
    bool& selected = objects_[object->GetID()];
    selected = !selected;
    if (selected && std::ranges::find(selected_, object) == selected_.end())
        selected_.push_back(object);
    SetInspected(object, {}, InspectorKind::SceneObject, false);
}

bool Editor::DropOnto(GameObject& row, ObjectId draggedId)
{
    GameObject* dragged = gFactory ? gFactory->FindObjectById(draggedId) : nullptr;
    if (!dragged || dragged == &row || dragged->IsDescendant(&row) || row.GetParent())
        return false;
    dragged->DetachFromParent();
    row.AddChild(dragged);
    return true;
}

bool Editor::SaveCanvas(GameObject& canvasObject)
{
    const std::string name = canvasObject.GetName();
    const auto* canvas = canvasObject.GetComponent<Canvas>();
    if (!canvas || !gFactory || !inspector::IsPlainFileName(name))
    {
        ASSERT(false, "Canvas \"" + name + "\" not saved: its name cannot name a file in Assets/UI");
        return false;
    }
    std::vector<GameObject*> objects{&canvasObject};
    objects.insert(objects.end(), canvas->GetElements().begin(), canvas->GetElements().end());
    if (!SaveObjects(gFactory->GetRootFolder() + "Assets/UI/" + name + ".xml", "Objects", objects))
        return false;
    if (gResourceManager)
        gResourceManager->uiFiles.push_back(name);
    return true;
}

bool Editor::ConvertToPrefab(GameObject& object)
{
    if (!gFactory || !gCore || !gFactory->MakePrefab(&object))
        return false;
    // A prefab is no part of the scene: no system may draw, simulate or run it.
    for (System* system : gCore->MessageReceivers())
        system->UnregisterObject(&object);
    std::erase(selected_, &object);
    std::erase(picked_, &object);
    SetInspected(nullptr, {}, InspectorKind::Nothing, false);
    gFactory->SavePrefabs(gFactory->GetRootFolder() + "Assets/Prefabs/");
    RefreshPrefabList();
    return true;
}

void Editor::FrameObject(const GameObject& object)
{
    Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr;
    const TransformInterface* target = object.GetTransform();
    if (!graphics || !target)
        return;
    GameObject& camera = graphics->GetEditorCamera();
    TransformInterface* transform = camera.GetTransform();
    if (!transform || !camera.GetCamera())
        return;
    transform->SetPosition(target->GetPosition() - transform->GetForward());
    camera.GetCamera()->SetViewDirty(true);
}

void Editor::ShowHierarchyWindow(const PanelRect& place)
{
    PlaceNextWindow(place, false);
    if (ImGui::Begin("Hierarchy", nullptr, ImGuiWindowFlags_NoCollapse) && gFactory)
    {
        const std::vector<GameObject*> objects = gFactory->GetObjects();
        ImGui::TextColored(kCountColour, "No. game objects: ");
        ImGui::SameLine();
        ImGui::Text("%zu", objects.size());
        ShowSearchField(hierarchyFilter_);
        const bool framing = ImGui::IsWindowFocused() && ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left);
        for (GameObject* object : objects)
        {
            if (object->GetParent() || !hierarchyFilter_.Passes(object->GetName()))
                continue;
            ShowHierarchyTree(*object);
            if (framing && object == InspectedObject())
                FrameObject(*object);
        }
    }
    ImGui::End();
}

// The rows of the object and of every open node below it. The open branches are walked with a stack of
// their own: the tree's depth comes from the level file. The GUI keeps a bit per nesting level in 32 bits, so
// rows deeper than that are drawn at the deepest indent without nesting further.
void Editor::ShowHierarchyTree(GameObject& top)
{
    constexpr std::size_t kDeepestNesting = 31;
    struct Branch
    {
        GameObject* object;
        std::size_t next;
        bool nested;
    };
    std::vector<Branch> open;
    std::size_t nesting = 0;
    const auto show = [&](GameObject& object) {
        const bool nest = nesting < kDeepestNesting;
        if (ShowHierarchyNode(object, nest))
        {
            open.push_back({&object, 0, nest});
            nesting += nest ? 1 : 0;
        }
    };
    show(top);
    while (!open.empty())
    {
        Branch& branch = open.back();
        // Re-read every step: a drop or an unparent may change the children while they are drawn.
        const std::vector<GameObject*>& children = branch.object->GetChildren();
        if (branch.next >= children.size())
        {
            if (branch.nested)
            {
                ImGui::TreePop();
                --nesting;
            }
            open.pop_back();
            continue;
        }
        show(*children[branch.next++]);
    }
}

bool Editor::ShowHierarchyNode(GameObject& object, bool nest)
{
    const bool leaf = object.GetChildren().empty();
    ImGuiTreeNodeFlags flags = ImGuiTreeNodeFlags_OpenOnArrow | ImGuiTreeNodeFlags_OpenOnDoubleClick;
    if (const auto entry = objects_.find(object.GetID()); entry != objects_.end() && entry->second)
        flags |= ImGuiTreeNodeFlags_Selected;
    if (leaf)
        flags |= ImGuiTreeNodeFlags_Leaf;
    if (!nest)
        flags |= ImGuiTreeNodeFlags_NoTreePushOnOpen;
    const std::string label = object.GetName() + "##" + std::to_string(object.GetID());
    const bool open = ImGui::TreeNodeEx(label.c_str(), flags);
    if (open && !inspectedIsPrefab_ && (object.GetCanvas() || object.GetParent() || object.GetPrefabID() == 0))
        ShowNodeMenu(object);
    if (ImGui::IsItemClicked(ImGuiMouseButton_Left) && !ImGui::IsItemToggledOpen())
        SelectObject(&object, ImGui::GetIO().KeyCtrl);
    if (const ObjectId dropped = DroppedObject())
        DropOnto(object, dropped);
    DragObject(object);
    if (open && leaf && nest)
        ImGui::TreePop();
    return open && !leaf;
}

void Editor::ShowNodeMenu(GameObject& object)
{
    if (!ImGui::BeginPopupContextItem())
        return;
    if (object.GetParent() && ImGui::Button("Unparent##unparentObjBtn"))
    {
        object.DetachFromParent();
        ImGui::CloseCurrentPopup();
    }
    if (object.GetCanvas() && ImGui::Button("Save canvas##saveCanvasBtn"))
    {
        SaveCanvas(object);
        ImGui::CloseCurrentPopup();
    }
    if (object.GetPrefabID() == 0 && ImGui::Button("Convert to Prefab##convertToPrefabBtn"))
    {
        ConvertToPrefab(object);
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}
