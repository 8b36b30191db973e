#include "objectfactory.h"

#include "assertion.h"
#include "core.h"
#include "messagingsystem.h"
#include "objecthooks.h"
#include "objectid.h"
#include "startup.h"

#include <algorithm>
#include <ranges>
#include <utility>

ObjectFactory* gFactory = nullptr;

namespace
{
bool EditorHoldsDeleted()
{
    return gCore && gCore->IsEditorMode() && !gCore->IsPlaying();
}

template <class Pointer = GameObject*, class Objects>
std::vector<Pointer> Pointers(Objects&& objects)
{
    std::vector<Pointer> pointers;
    if constexpr (std::ranges::sized_range<Objects>)
        pointers.reserve(std::ranges::size(objects));
    for (const auto& object : objects)
        pointers.push_back(object.get());
    return pointers;
}

template <class Objects>
auto Find(Objects& objects, const GameObject* object)
{
    return std::ranges::find_if(objects, [&](const auto& owned) { return owned.get() == object; });
}

void QueueDestroy(GameObject* object)
{
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, object);
}

// Objects about to be freed are held nowhere: what their components ask while others go finds no owner.
// Their links go in one sweep, as freeing them one by one would search each parent's list again and again.
void Unplace(const std::vector<GameObject*>& objects)
{
    for (GameObject* object : objects)
        object->SetPlace(ObjectPlace::None);
    GameObject::UnlinkForFreeing(objects);
}
} // namespace

ObjectFactory::ObjectFactory(std::string rootFolder) : rootFolder_(std::move(rootFolder))
{
    gFactory = this;
    SetObjectFactoryHooks({
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
    std::vector<GameObject*> freed = Pointers(deleted_);
    for (const std::vector<GameObject*>& more : {Pointers(destroyQueue_), GetObjects(), GetPrefabs()})
        freed.insert(freed.end(), more.begin(), more.end());
    Unplace(freed);
    levelName_.clear();
    deleted_.clear();
    destroyQueue_.clear();
    liveIds_.clear();
    liveSlots_.clear();
    live_.clear();
    prefabs_.clear();
}

GameObject* ObjectFactory::FindObject(const std::string& name) const
{
    for (const auto& object : LiveObjects())
        if (object->GetName() == name)
            return object.get();
    return nullptr;
}

GameObject* ObjectFactory::FindObjectById(ObjectId id) const
{
    const auto entry = liveIds_.find(id);
    return entry == liveIds_.end() ? nullptr : entry->second.first;
}

std::vector<GameObjectInterface*> ObjectFactory::GetObjectsWithScript(const std::string& name) const
{
    std::vector<GameObjectInterface*> found;
    for (const auto& object : LiveObjects())
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
    // A script may hand back an object that is already gone, maybe freed: only its address can be looked at,
    // not even its type, until it is found among the live ones (every object scripts are handed is ours).
    if (object && !liveSlots_.contains(object))
    {
        ASSERT(false, "Can't destroy an object that is not live");
        return;
    }
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
    return Pointers<GameObjectInterface*>(LiveObjects());
}

GameObject* ObjectFactory::AppendLive(std::unique_ptr<GameObject> object)
{
    object->SetPlace(ObjectPlace::Live);
    liveSlots_.emplace(object.get(), live_.size());
    live_.push_back(std::move(object));
    IndexLive(*live_.back());
    return live_.back().get();
}

std::unique_ptr<GameObject> ObjectFactory::TakeLive(GameObject* object)
{
    const auto slot = liveSlots_.find(object);
    if (slot == liveSlots_.end())
        return nullptr;
    std::unique_ptr<GameObject> taken = std::move(live_[slot->second]);
    liveSlots_.erase(slot);
    ++liveHoles_;
    UnindexLive(object->GetID(), *object);
    CloseLiveHolesIfMany();
    return taken;
}

void ObjectFactory::CloseLiveHolesIfMany()
{
    // After at least as many removals as objects left: the pass costs each removal a constant.
    if (liveHoles_ > live_.size() / 2)
        RenumberLive();
}

void ObjectFactory::RenumberLive()
{
    std::erase(live_, nullptr);
    for (std::size_t slot = 0; slot < live_.size(); ++slot)
        liveSlots_[live_[slot].get()] = slot;
    liveHoles_ = 0;
}

void ObjectFactory::IndexLive(GameObject& object)
{
    const auto entry = liveIds_.try_emplace(object.GetID(), LiveId{&object, 0}).first;
    if (++entry->second.count > 1)
        entry->second.first = FirstLiveWithId(object.GetID());
}

// The object is no longer a live object under id: it has left the list or changed its id.
void ObjectFactory::UnindexLive(ObjectId id, const GameObject& object)
{
    const auto entry = liveIds_.find(id);
    if (--entry->second.count == 0)
        liveIds_.erase(entry);
    else if (entry->second.first == &object)
        entry->second.first = FirstLiveWithId(id);
}

void ObjectFactory::SetLiveId(GameObject& object, ObjectId id)
{
    const bool live = IsLive(object);
    const ObjectId old = object.GetID();
    object.SetID(id);
    if (!live)
        return;
    UnindexLive(old, object);
    IndexLive(object);
}

bool ObjectFactory::IsLive(const GameObject& object)
{
    return object.GetPlace() == ObjectPlace::Live;
}

GameObject* ObjectFactory::FirstLiveWithId(ObjectId id) const
{
    for (const auto& object : LiveObjects())
        if (object->GetID() == id)
            return object.get();
    return nullptr;
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
    if (!Check(object, "Can't clone, object is nullptr"))
        return nullptr;
    GameObject* copy = AppendLive(std::make_unique<GameObject>(*object));
    DispatchMessage(SystemId::None, SystemId::All, MessageNames::Cloned, copy);
    return copy;
}

GameObject* ObjectFactory::CreatePrefab(ObjectId id, const std::string& name)
{
    const std::string notCreated = "Prefab \"" + name + "\" (" + std::to_string(id) + ") not created - ";
    ASSERT(!prefabs_.contains(id), notCreated + "duplicate");
    // The fresh id is drawn even when the object is not kept, so later ids do not depend on duplicates.
    auto [entry, inserted] = prefabs_.try_emplace(id, std::make_unique<GameObject>("", GenerateObjectId()));
    ASSERT(inserted, notCreated + "unknown");
    GameObject& prefab = *entry->second;
    prefab.SetPlace(ObjectPlace::Prefab);
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
    QueueDestroy(object);
    RetireObject(object);
}

void ObjectFactory::RetireObject(GameObject* object)
{
    if (std::unique_ptr<GameObject> retired = TakeLive(object))
        ParkRetired(std::move(retired));
}

void ObjectFactory::ParkRetired(std::unique_ptr<GameObject> object)
{
    if (!EditorHoldsDeleted())
    {
        QueueForFreeing(std::move(object));
        return;
    }
    if (deleted_.size() == kDeletedObjectsKept)
    {
        QueueForFreeing(std::move(deleted_.front()));
        deleted_.pop_front();
    }
    object->SetPlace(ObjectPlace::DeletedBuffer);
    deleted_.push_back(std::move(object));
}

void ObjectFactory::QueueForFreeing(std::unique_ptr<GameObject> object)
{
    object->SetPlace(ObjectPlace::DestroyQueue);
    destroyQueue_.push_back(std::move(object));
}

bool ObjectFactory::MakePrefab(GameObject* object)
{
    if (!liveSlots_.contains(object) || prefabs_.contains(object->GetID()))
        return false;
    object->DetachFromParent();
    for (GameObject* child : std::vector<GameObject*>(object->GetChildren()))
        child->DetachFromParent();
    object->SetPlace(ObjectPlace::Prefab);
    prefabs_.emplace(object->GetID(), TakeLive(object));
    return true;
}

void ObjectFactory::RestoreObject(GameObject* object, std::size_t place)
{
    const auto found = Find(deleted_, object);
    if (found == deleted_.end())
        return;
    object->SetPlace(ObjectPlace::Live);
    // The place counts live objects only, so the holes go first; the renumbering after covers them too.
    std::erase(live_, nullptr);
    live_.insert(live_.begin() + static_cast<std::ptrdiff_t>(std::min(place, live_.size())), std::move(*found));
    deleted_.erase(found);
    RenumberLive();
    IndexLive(*object);
}

void ObjectFactory::FlushDestroyed()
{
    // Freeing an object may destroy others (a script cleaning up); they wait for the next flush.
    auto freed = std::exchange(destroyQueue_, {});
    Unplace(Pointers(freed));
    freed.clear();
}

std::vector<GameObject*> ObjectFactory::GetPrefabs() const
{
    return Pointers(std::views::values(prefabs_));
}

std::vector<GameObject*> ObjectFactory::GetObjects() const
{
    return Pointers(LiveObjects());
}

std::vector<GameObject*> ObjectFactory::GetDeletedObjects() const
{
    return Pointers(deleted_);
}

std::vector<GameObject*> ObjectFactory::GetDestroyQueue() const
{
    return Pointers(destroyQueue_);
}

void ObjectFactory::DestroyAllObjects()
{
    // Nothing runs between the queued messages, so the list can be emptied at once rather than one by one.
    for (std::unique_ptr<GameObject>& object : live_)
        if (object)
        {
            QueueDestroy(object.get());
            ParkRetired(std::move(object));
        }
    live_.clear();
    liveSlots_.clear();
    liveHoles_ = 0;
    liveIds_.clear();
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
    return rootFolder_ + LevelFolder + "/" + level + ".xml";
}

std::string ObjectFactory::SceneSettingsPath(const std::string& level) const
{
    return rootFolder_ + "Assets/SceneSettings/" + level + "Settings.xml";
}
