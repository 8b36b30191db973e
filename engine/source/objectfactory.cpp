#include "objectfactory.h"

#include "assertion.h"
#include "core.h"
#include "messagingsystem.h"
#include "objecthooks.h"
#include "objectid.h"

#include <algorithm>

ObjectFactory* gFactory = nullptr;

namespace
{
bool EditorHoldsDeleted()
{
    return gCore && gCore->IsEditorMode() && !gCore->IsPlaying();
}

template <class Pointer = GameObject*, class Objects>
std::vector<Pointer> Pointers(const Objects& objects)
{
    std::vector<Pointer> pointers;
    pointers.reserve(objects.size());
    for (const auto& object : objects)
        pointers.push_back(object.get());
    return pointers;
}

template <class Objects>
auto Find(Objects& objects, const GameObject* object)
{
    return std::ranges::find_if(objects, [&](const auto& owned) { return owned.get() == object; });
}
} // namespace

ObjectFactory::ObjectFactory(std::string rootFolder) : rootFolder_(std::move(rootFolder))
{
    gFactory = this;
    SetObjectFactoryHooks({
        [](const Component& component, bool inPrefabs) { return gFactory->FindOwner(component, inPrefabs); },
        [](ObjectId id) { return gFactory->FindPrefabById(id); },
        [](GameObject& object) { gFactory->DestroyObject(&object); },
    });
    if (gCore)
        gCore->SetFlushDestroyed([this] { FlushDestroyed(); });
}

ObjectFactory::~ObjectFactory()
{
    // Nothing may reach a factory that is half gone.
    if (gFactory == this)
    {
        if (gCore)
            gCore->SetFlushDestroyed(nullptr);
        SetObjectFactoryHooks({});
        gFactory = nullptr;
    }
    levelName_.clear();
    deleted_.clear();
    destroyQueue_.clear();
    live_.clear();
    prefabs_.clear();
}

GameObject* ObjectFactory::FindObject(const std::string& name) const
{
    const auto found = std::ranges::find_if(live_, [&](const auto& object) { return object->GetName() == name; });
    return found == live_.end() ? nullptr : found->get();
}

GameObject* ObjectFactory::FindObjectById(ObjectId id) const
{
    const auto found = std::ranges::find_if(live_, [&](const auto& object) { return object->GetID() == id; });
    return found == live_.end() ? nullptr : found->get();
}

std::vector<GameObjectInterface*> ObjectFactory::GetObjectsWithScript(const std::string& name) const
{
    std::vector<GameObjectInterface*> found;
    for (const auto& object : live_)
        if (object->GetScript(name))
            found.push_back(object.get());
    return found;
}

GameObject* ObjectFactory::FindPrefab(const std::string& name) const
{
    const auto found =
        std::ranges::find_if(prefabs_, [&](const auto& entry) { return entry.second->GetName() == name; });
    return found == prefabs_.end() ? nullptr : found->second.get();
}

const GameObject* ObjectFactory::FindPrefabById(ObjectId id) const
{
    const auto found = prefabs_.find(id);
    return found == prefabs_.end() ? nullptr : found->second.get();
}

GameObject* ObjectFactory::Instantiate(const std::string& name, ObjectId prefabId)
{
    GameObject* object = CreateObject(name, prefabId);
    DispatchMessage(SystemId::ScriptCalls, SystemId::All, MessageNames::Cloned, object);
    return object;
}

void ObjectFactory::Destroy(GameObjectInterface* object)
{
    // Every object scripts are handed is one of ours.
    auto* owned = static_cast<GameObject*>(object);
    ASSERT(owned, "Can't destroy nullptr");
    if (owned && owned->GetScript("Elem"))
        ASSERT(false, "Should you use SetAliveStatus(bool)?");
    DestroyObject(owned);
}

void ObjectFactory::Register(GameObjectInterface* object)
{
    RegisterObject(static_cast<GameObject*>(object));
}

std::vector<GameObjectInterface*> ObjectFactory::GetAllObjects() const
{
    return Pointers<GameObjectInterface*>(live_);
}

GameObject* ObjectFactory::AppendLive(std::unique_ptr<GameObject> object)
{
    live_.push_back(std::move(object));
    return live_.back().get();
}

GameObject* ObjectFactory::CreateObject(const std::string& name, ObjectId prefabId)
{
    const ObjectId id = GenerateObjectId();
    if (prefabId != 0)
    {
        const GameObject* prefab = FindPrefabById(prefabId);
        if (!prefab)
            return SpawnObject(name, 0);
        return AppendLive(std::make_unique<GameObject>(*prefab, name, id));
    }
    GameObject* object = AppendLive(std::make_unique<GameObject>(name, id));
    object->EnsureTransform();
    return object;
}

GameObject* ObjectFactory::SpawnObject(const std::string& name, ObjectId prefabId)
{
    GameObject* object = CreateObject(name, prefabId);
    DispatchMessage(SystemId::None, SystemId::All, MessageNames::Cloned, object);
    return object;
}

GameObject* ObjectFactory::CloneObject(const GameObject* object)
{
    ASSERT(object, "Can't clone, object is nullptr");
    if (!object)
        return nullptr;
    GameObject* copy = AppendLive(std::make_unique<GameObject>(*object));
    DispatchMessage(SystemId::None, SystemId::All, MessageNames::Cloned, copy);
    return copy;
}

GameObject* ObjectFactory::CreatePrefab(ObjectId id, const std::string& name)
{
    auto [entry, inserted] = prefabs_.try_emplace(id);
    if (inserted)
    {
        entry->second = std::make_unique<GameObject>("", GenerateObjectId());
    }
    else
    {
        const std::string what = "Prefab \"" + name + "\" (" + std::to_string(id) + ") not created - ";
        ASSERT(false, what + "duplicate");
        ASSERT(false, what + "unknown");
    }
    GameObject& prefab = *entry->second;
    prefab.SetName(name);
    prefab.SetID(id);
    prefab.EnsureTransform();
    return &prefab;
}

void ObjectFactory::RegisterObject(GameObject* object)
{
    ASSERT(object, "Can't register, object is nullptr");
    PostMessage(SystemId::None, SystemId::All, MessageNames::Register, object);
}

void ObjectFactory::DestroyObject(GameObject* object)
{
    ASSERT(object, "Can't destroy, object don't exist");
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, object);
    RetireObject(object);
}

void ObjectFactory::RetireObject(GameObject* object)
{
    const auto found = Find(live_, object);
    if (found == live_.end())
        return;
    if (EditorHoldsDeleted())
    {
        if (deleted_.size() == kDeletedObjectsKept)
        {
            destroyQueue_.push_back(std::move(deleted_.front()));
            deleted_.pop_front();
        }
        deleted_.push_back(std::move(*found));
    }
    else
    {
        destroyQueue_.push_back(std::move(*found));
    }
    live_.erase(found);
}

void ObjectFactory::RestoreObject(GameObject* object)
{
    const auto found = Find(deleted_, object);
    if (found == deleted_.end())
        return;
    live_.push_back(std::move(*found));
    deleted_.erase(found);
}

void ObjectFactory::FlushDestroyed()
{
    destroyQueue_.clear();
}

std::vector<GameObject*> ObjectFactory::GetPrefabs() const
{
    std::vector<GameObject*> prefabs;
    prefabs.reserve(prefabs_.size());
    for (const auto& entry : prefabs_)
        prefabs.push_back(entry.second.get());
    return prefabs;
}

std::vector<GameObject*> ObjectFactory::GetObjects() const
{
    return Pointers(live_);
}

std::vector<GameObject*> ObjectFactory::GetDeletedObjects() const
{
    return Pointers(deleted_);
}

std::vector<GameObject*> ObjectFactory::GetDestroyQueue() const
{
    return Pointers(destroyQueue_);
}

GameObject* ObjectFactory::FindOwner(const Component& component, bool inPrefabs) const
{
    if (inPrefabs)
    {
        for (const auto& entry : prefabs_)
            if (entry.second->Owns(component))
                return entry.second.get();
        return nullptr;
    }
    for (const auto* objects : {&live_, &destroyQueue_})
        for (const auto& object : *objects)
            if (object->Owns(component))
                return object.get();
    return nullptr;
}

void ObjectFactory::DestroyAllObjects()
{
    for (GameObject* object : GetObjects())
        DestroyObject(object);
}

void ObjectFactory::LoadLevel(const std::string& name)
{
    DestroyAllObjects();
    LoadLevelFile(LevelPath(name), true);
    levelName_ = name;
    LoadSceneSettings(SceneSettingsPath(name));
}

std::string ObjectFactory::LevelPath(const std::string& level) const
{
    return rootFolder_ + "Assets/XML/" + level + ".xml";
}

std::string ObjectFactory::SceneSettingsPath(const std::string& level) const
{
    return rootFolder_ + "Assets/SceneSettings/" + level + "Settings.xml";
}
