// The undo history, its structural actions and the editor operations that record them.
#include "editoractions.h"

#include "core.h"
#include "graphics.h"
#include "objectfactory.h"

#include <algorithm>
#include <iterator>
#include <ranges>
#include <unordered_set>

namespace
{
constexpr std::size_t kHistoryKept = 20;

std::deque<std::unique_ptr<Editor::Actions>> history;
int cursor = 0;

void ShowWithGraphics(GameObject& object)
{
    if (Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr)
        graphics->RegisterObject(&object);
}

// The component of that serial in the list, or null.
template <class List>
Component* WithSerial(const List& list, std::uint64_t serial)
{
    const auto found = std::ranges::find_if(list, [serial](const auto& held) { return held->GetSerial() == serial; });
    return found == list.end() ? nullptr : found->get();
}

// Where a live object stands in the live objects' order.
std::size_t PlaceOf(const GameObject& object)
{
    const std::vector<GameObject*> live = gFactory->GetObjects();
    return static_cast<std::size_t>(std::ranges::find(live, &object) - live.begin());
}

// The last with the id: an object parked again after a scene was replaced shares its id with one parked
// before, and only the later one is the history's.
GameObject* WithId(const std::vector<GameObject*>& objects, ObjectId id)
{
    const auto found = std::ranges::find_if(objects | std::views::reverse,
                                            [id](const GameObject* object) { return object->GetID() == id; });
    return found == (objects | std::views::reverse).end() ? nullptr : *found;
}
}

const std::deque<std::unique_ptr<Editor::Actions>>& ActionHistory()
{
    return history;
}

int ActionCursor()
{
    return cursor;
}

void RecordAction(std::unique_ptr<Editor::Actions> action)
{
    history.resize(static_cast<std::size_t>(cursor));
    if (history.size() >= kHistoryKept)
        history.pop_front();
    else
        ++cursor;
    history.push_back(std::move(action));
}

void UndoAction()
{
    if (cursor <= 0)
        return;
    --cursor;
    history[static_cast<std::size_t>(cursor)]->Undo();
}

void RedoAction()
{
    if (static_cast<std::size_t>(cursor) >= history.size())
        return;
    ++cursor;
    history[static_cast<std::size_t>(cursor - 1)]->Redo();
}

void ClearActionHistory()
{
    history.clear();
    cursor = 0;
}

GameObject* FindRecordedObject(ObjectId id, bool prefabs)
{
    if (!gFactory)
        return nullptr;
    if (GameObject* live = gFactory->FindObjectById(id))
        return live;
    if (GameObject* parked = WithId(gFactory->GetDeletedObjects(), id))
        return parked;
    return prefabs ? WithId(gFactory->GetPrefabs(), id) : nullptr;
}

ObjectLinks DetachObject(GameObject& object)
{
    ObjectLinks links{object.GetParent() ? object.GetParent()->GetID() : 0, {}};
    for (const GameObject* child : object.GetChildren())
        links.children.push_back(child->GetID());
    object.DetachChildren();
    object.DetachFromParent();
    return links;
}

void RelinkObject(GameObject& object, const ObjectLinks& links)
{
    GameObject* parent = links.parent && gFactory ? gFactory->FindObjectById(links.parent) : nullptr;
    if (parent && !object.GetParent() && parent != &object && !object.IsDescendant(parent))
        parent->AddChild(&object);
    for (ObjectId id : links.children)
    {
        GameObject* child = gFactory ? gFactory->FindObjectById(id) : nullptr;
        if (child && !child->GetParent() && child != &object && !child->IsDescendant(&object))
            object.AddChild(child);
    }
}

void Editor::ObjectAction::Toggle()
{
    if (!gFactory)
        return;
    GameObject* object = alive_ ? gFactory->FindObjectById(id_) : WithId(gFactory->GetDeletedObjects(), id_);
    if (!object)
        return;
    if (alive_)
    {
        place_ = PlaceOf(*object);
        links_ = DetachObject(*object);
        gFactory->DestroyObject(object);
    }
    else
    {
        gFactory->RestoreObject(object, place_);
        ShowWithGraphics(*object);
        RelinkObject(*object, links_);
    }
    alive_ = !alive_;
}

void Editor::ComponentAction::Toggle()
{
    GameObject* owner = FindRecordedObject(owner_, true);
    if (!owner)
        return;
    Component* component = attached_ ? WithSerial(owner->GetComponents(), serial_)
                                     : WithSerial(owner->GetRemovedComponents(), serial_);
    if (!component)
        return;
    if (attached_)
        owner->RemoveComponent(component);
    else
    {
        owner->RestoreComponent(component);
        if (owner->GetPlace() == ObjectPlace::Live)
            ShowWithGraphics(*owner);
    }
    attached_ = !attached_;
}

GameObject* CreateObjectRecorded(const std::string& name)
{
    GameObject* object = gFactory ? gFactory->SpawnObject(name, 0) : nullptr;
    if (object)
        RecordAction(std::make_unique<Editor::ObjectAction>(object->GetID(), true));
    return object;
}

Component* RecordComponentAdd(GameObject& object, const std::string& name)
{
    std::unordered_set<const Component*> had;
    for (const auto& component : object.GetComponents())
        had.insert(component.get());
    Component* added = object.AddComponent(name);
    if (added && !had.contains(added))
        RecordAction(std::make_unique<Editor::ComponentAction>(object.GetID(), *added, true));
    return added;
}

Component* RecordComponentRemove(GameObject& object, const std::string& name)
{
    Component* removed = object.RemoveComponentByName(name);
    if (removed)
        RecordAction(std::make_unique<Editor::ComponentAction>(object.GetID(), *removed, false));
    return removed;
}

void Editor::DeleteSelectedObjects()
{
    if (!gFactory)
        return;
    GameObject* neighbour = nullptr;
    // Only what is live: a prefab would stay drawn in the scene, and a repeated entry is parked already.
    for (GameObject* object : std::exchange(picked_, {}))
    {
        const std::vector<GameObject*> live = gFactory->GetObjects();
        const auto at = std::ranges::find(live, object);
        if (at == live.end())
            continue;
        SetInspected(nullptr, "", InspectorKind::Nothing, false);
        neighbour = std::next(at) != live.end() ? *std::next(at) : at != live.begin() ? *std::prev(at) : nullptr;
        const ObjectId id = object->GetID();
        const auto place = static_cast<std::size_t>(at - live.begin());
        ObjectLinks links = DetachObject(*object);
        gFactory->DestroyObject(object);
        std::erase(selected_, object);
        RecordAction(std::make_unique<ObjectAction>(id, false, std::move(links), place));
    }
    if (neighbour)
        picked_.push_back(neighbour);
}

void Editor::DuplicatePickedObjects()
{
    if (!gFactory)
        return;
    for (GameObject* object : std::exchange(picked_, {}))
    {
        const std::vector<GameObject*> live = gFactory->GetObjects();
        GameObject* clone = std::ranges::find(live, object) != live.end() ? gFactory->CloneObject(object) : nullptr;
        if (!clone)
            continue;
        RecordAction(std::make_unique<ObjectAction>(clone->GetID(), true));
        picked_.push_back(clone);
        ShowWithGraphics(*clone);
    }
    const std::vector<GameObject*> live = gFactory->GetObjects();
    SetInspected(live.empty() ? nullptr : live.back(), "",
                 live.empty() ? InspectorKind::Nothing : InspectorKind::SceneObject, true);
}
