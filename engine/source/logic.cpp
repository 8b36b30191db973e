#include "logic.h"

#include "objectfactory.h"

#include <algorithm>
#include <initializer_list>
#include <iostream>
#include <utility>

#include "assertion.h"
#include "audiosystem.h"
#include "collisiondata.h"
#include "component.h"
#include "console.h"
#include "core.h"
#include "gameobject.h"
#include "helpers.h"
#include "inputsystem.h"
#include "message.h"
#include "monobehavior.h"
#include "physicssystem.h"

namespace
{
constexpr char kLibraryName[] = "Game";
constexpr char kRunWhenPausedTag[] = "RunWhenPaused";
constexpr std::uint16_t kSuspendKey = 0x50; // P

MonoBehaviorDLL* HolderOf(GameObject* object)
{
    return object ? object->GetComponent<MonoBehaviorDLL>() : nullptr;
}

// A script the new build lacks stays saved in its holder; re-attaching reports it.
MonoBehaviorDLL::ScriptFactory ReloadedScript(const ScriptLibrary& library)
{
    return [&library](const std::string& name) {
        const MonoBehaviorInterface* prototype = library.Prototype(name);
        return prototype ? prototype->Clone() : nullptr;
    };
}

// A script removed by an earlier one's Awake, Start or Reload is not made again.
template <typename Visit>
void ForEachStillAttached(MonoBehaviorDLL& holder, Visit visit)
{
    for (const std::string& name : holder.GetAttachedScriptNames())
        if (holder.IsAttached(name))
            visit(name);
}

// Of the objects filed after `served`, the one filed first, with `served` moved on to it; null when none.
GameObject* NextFiled(const ObjectSet& list, std::initializer_list<GameObject*> objects, std::uint64_t& served)
{
    GameObject* next = nullptr;
    std::uint64_t nextOrder = 0;
    for (GameObject* object : objects)
        if (const std::uint64_t order = list.OrderOf(object); order > served && (!next || order < nextOrder))
        {
            next = object;
            nextOrder = order;
        }
    if (next)
        served = nextOrder;
    return next;
}

GameObject* ObjectPayload(const BaseMessage& message)
{
    const auto* object = PayloadOf<GameObject*>(message);
    return object ? *object : nullptr;
}
}

Logic::Logic() : Logic(GetExecutableFolder(), GetUserDataFolder())
{
}

Logic::Logic(std::string libraryFolder, std::string userFolder)
    : System(SystemId::Logic),
      builtPath_(std::move(libraryFolder) + kLibraryName + platform::DynamicLibrary::Suffix()),
      copyPath_(std::move(userFolder) + kLibraryName + "_" + platform::DynamicLibrary::Suffix())
{
}

Logic::~Logic()
{
    ReleaseGameLibrary();
    platform::RemoveFile(LoadedCopyPath());
}

void Logic::Init()
{
    // A failed load is retried when the file changes, so the watch starts from the file as it is now.
    watch_.Record(BuiltLibraryPath());
    if (!LoadGameLibrary())
    {
        PrintColoredLine(ConsoleColor::Red, "System: Logic \t\t- ERROR");
        return;
    }
    std::cout << "System: Logic \t\t- OK" << std::endl;
}

bool Logic::LoadGameLibrary()
{
    return library_.Load(BuiltLibraryPath(), LoadedCopyPath(), CurrentStapleArguments());
}

bool Logic::ReleaseGameLibrary()
{
    // A holder may remove itself while it drops.
    const std::vector<PropertyTableHolder*> holders = tableHolders_;
    for (PropertyTableHolder* holder : holders)
        holder->DropPropertyTables();
    return library_.Release();
}

void Logic::AddTableHolder(PropertyTableHolder* holder)
{
    AppendOnce(tableHolders_, holder);
}

void Logic::RemoveTableHolder(PropertyTableHolder* holder)
{
    std::erase(tableHolders_, holder);
}

void Logic::PassStapleFunctions()
{
    library_.PassStapleFunctions(CurrentStapleArguments());
}

StapleArguments Logic::CurrentStapleArguments() const
{
    StapleArguments arguments;
    arguments.factory = gFactory;
    if (gCore)
    {
        arguments.input = gCore->GetInput();
        arguments.physics = gCore->GetPhysics();
        arguments.audio = gCore->GetAudio();
        arguments.core = gCore;
        arguments.dt = gCore->GetFrameTime();
    }
    return arguments;
}

std::unique_ptr<MonoBehaviorInterface> Logic::FindScript(const std::string& name) const
{
    return library_.FindScript(name);
}

void Logic::Update()
{
    ReadSuspendKey();
    if (suspended_)
        return;
    if (watch_.Poll(BuiltLibraryPath()))
        ReloadGameLibrary();
    RunLifeCycleStep();
    PassStapleFunctions();
    UpdateScripts();
}

void Logic::ReadSuspendKey()
{
    InputSystem* input = gCore ? gCore->GetInput() : nullptr;
    if (input && input->IsKeyTriggered(kSuspendKey))
        suspended_ = !suspended_;
}

void Logic::ReloadGameLibrary()
{
    UnbindAllScripts();
    ReleaseGameLibrary();
    if (!LoadGameLibrary())
        return;
    // A script's Reload may file new objects; the walks meet them too.
    std::vector<GameObject*> reattached;
    for (GameObject* object : activeObjects_)
        ReattachScripts(object, reattached);
    for (GameObject* object : runWhenPausedObjects_)
        ReattachScripts(object, reattached);
    for (GameObject* object : inactiveObjects_)
        if (!IsRunning(object))
            ReattachScripts(object, reattached);
    ReloadReattached(reattached);
    // Prefabs, objects waiting to be freed and the editor's buffers get their scripts back as they were.
    for (MonoBehaviorDLL* holder : MonoBehaviorDLL::AllHolders())
        holder->RebindScripts(ReloadedScript(library_));
}

void Logic::UnbindAllScripts()
{
    // Scripts are taken down while their code is still there; what they wrote of themselves waits in their
    // holders for the new code.
    const auto& holders = MonoBehaviorDLL::AllHolders();
    saves_.Begin();
    for (const MonoBehaviorDLL* holder : holders)
        holder->WriteScriptsForReload(saves_);
    saves_.Read();
    for (MonoBehaviorDLL* holder : holders)
        holder->UnbindScripts(saves_);
    saves_.End();
}

void Logic::ReattachScripts(GameObject* object, std::vector<GameObject*>& reattached)
{
    MonoBehaviorDLL* holder = HolderOf(object);
    if (!holder)
        return;
    reattached.push_back(object);
    ForEachStillAttached(*holder, [&](const std::string& name) {
        const MonoBehaviorInterface* prototype = library_.Prototype(name);
        if (!prototype)
        {
            ASSERT(false, "Can't find " + name);
            return;
        }
        const auto clone = [prototype](const std::string&) { return prototype->Clone(); };
        // A name that had no instance (pending, or its script was missing before) starts its life now.
        if (!holder->RebindScript(name, clone) && !holder->FindExact(name))
            JoinScript(object, *holder, name, prototype->Clone());
    });
}

void Logic::ReloadReattached(const std::vector<GameObject*>& reattached)
{
    // Only once every object's scripts are back, so each takes its partners, on any object, from the whole new
    // set. Objects a Reload makes are not among them: their scripts start as any new ones do.
    for (GameObject* object : reattached)
        if (MonoBehaviorDLL* holder = HolderOf(object))
            holder->ReloadScripts();
}

void Logic::JoinScript(GameObject* object, MonoBehaviorDLL& holder, const std::string& name,
                       std::unique_ptr<MonoBehaviorInterface> script)
{
    script->owner = object;
    holder.SetScript(name, std::move(script));
    // An object Logic already runs is not registered again: its new script joins the life cycle here.
    if (IsRunning(object))
        QueuePending(object);
}

void Logic::RunLifeCycleStep()
{
    // Objects appended during the walk, or moved to its end, are visited in the same walk.
    for (GameObject* object : pendingObjects_)
    {
        MonoBehaviorDLL* holder = HolderOf(object);
        if (!holder)
            continue;
        if (holder->AwakeNextScript())
            pendingObjects_.MoveToEnd(object);
        else
            holder->StartAwokenScripts();
    }
    pendingObjects_.Clear();
}

void Logic::UpdateScripts()
{
    for (GameObject* object : *currentObjects_)
        if (MonoBehaviorDLL* holder = HolderOf(object))
            holder->UpdateScripts();
}

bool Logic::IsRunning(GameObject* object) const
{
    return activeObjects_.Contains(object) || runWhenPausedObjects_.Contains(object);
}

void Logic::FileAsRunning(GameObject* object)
{
    (object->GetTag() == kRunWhenPausedTag ? runWhenPausedObjects_ : activeObjects_).Add(object);
}

void Logic::QueuePending(GameObject* object)
{
    pendingObjects_.Add(object);
}

void Logic::RegisterObject(GameObject* object)
{
    MonoBehaviorDLL* holder = HolderOf(object);
    if (!holder || object->IsDestroyed() || IsRunning(object) || inactiveObjects_.Contains(object))
        return;
    if (!object->IsActive() || !holder->IsEnabled())
    {
        inactiveObjects_.Add(object);
        return;
    }
    FileAsRunning(object);
    if (pendingObjects_.Contains(object))
        holder->AwakeNextScript();
    else
        pendingObjects_.Add(object);
}

void Logic::UnregisterObject(GameObject* object)
{
    // Once for every list that holds it.
    const auto leave = [&](bool held, auto&& remove) {
        if (!held)
            return;
        for (const auto& component : object->GetComponents())
            if (auto* holder = dynamic_cast<MonoBehaviorDLL*>(component.get()))
                holder->DestroyScripts();
        remove();
    };
    for (ObjectSet* list : {&activeObjects_, &pendingObjects_, &runWhenPausedObjects_, &inactiveObjects_})
        leave(list->Contains(object), [&] { list->Remove(object); });
}

void Logic::AddScript(GameObject* object, const std::string& name)
{
    MonoBehaviorDLL* holder = HolderOf(object);
    if (!holder)
        return;
    // By exact name: "Tutorial" may join an object that holds "PuzzleBombTutorial".
    if (holder->FindExact(name))
    {
        ASSERT(false, name + " already added");
        return;
    }
    auto script = FindScript(name);
    if (!script)
    {
        PrintColoredLine(ConsoleColor::Yellow, "Attempting to add missing script : '" + name + "'");
        return;
    }
    JoinScript(object, *holder, name, std::move(script));
    RegisterObject(object);
}

void Logic::AttachScripts(GameObject* object)
{
    MonoBehaviorDLL* holder = HolderOf(object);
    if (!holder)
        return;
    ForEachStillAttached(*holder, [&](const std::string& name) {
        if (MonoBehaviorInterface* script = holder->FindExact(name))
        {
            if (object->IsActive())
                holder->AdvanceScript(*script);
            return;
        }
        ASSERT(library_.HasPrototype(name), "Can't find " + name);
        auto script = FindScript(name);
        if (!script)
            return;
        script->owner = object;
        MonoBehaviorInterface& attached = *script;
        holder->SetScript(name, std::move(script));
        if (pendingObjects_.Contains(object))
            holder->AwakeScript(attached);
        else
            pendingObjects_.Add(object);
    });
}

bool Logic::Holds(GameObject* object) const
{
    return IsRunning(object) || inactiveObjects_.Contains(object) || pendingObjects_.Contains(object);
}

void Logic::EnableObject(GameObject* object)
{
    MonoBehaviorDLL* holder = HolderOf(object);
    if (!holder || !Holds(object))
        return;
    holder->EnableScripts();
    inactiveObjects_.Remove(object);
    if (!IsRunning(object))
        FileAsRunning(object);
}

void Logic::DisableObject(GameObject* object)
{
    MonoBehaviorDLL* holder = HolderOf(object);
    if (!holder || !Holds(object))
        return;
    holder->DisableScripts();
    // A run-when-paused object stays filed; its disabled scripts receive nothing.
    activeObjects_.Remove(object);
    inactiveObjects_.Add(object);
}

void Logic::HandleMessage(const BaseMessage& message)
{
    if (message.receiver == SystemId::Logic)
        HandleLogicMessage(message);
    else if (message.receiver == SystemId::All)
        HandleBroadcast(message);
}

void Logic::HandleLogicMessage(const BaseMessage& message)
{
    const MessageName name = message.name;
    if (name == MessageNames::Register)
    {
        if (const auto* request = PayloadOf<std::pair<GameObject*, std::string>>(message))
            AddScript(request->first, request->second);
        else
            RegisterObject(PayloadObject<GameObject>(message));
    }
    else if (name == MessageNames::Unregister)
        UnregisterObject(PayloadObject<GameObject>(message));
    else if (name == MessageNames::AttachInterfaces)
        AttachScripts(PayloadObject<GameObject>(message));
    else
        ForwardEvent(message);
}

void Logic::HandleBroadcast(const BaseMessage& message)
{
    const MessageName name = message.name;
    if (name == MessageNames::Paused)
    {
        if (const bool* paused = PayloadOf<bool>(message))
            currentObjects_ = *paused ? &runWhenPausedObjects_ : &activeObjects_;
    }
    else if (name == MessageNames::EnableComponent || name == MessageNames::DisableComponent)
        HandleComponentSwitch(message);
    else if (name == MessageNames::Enable || name == MessageNames::Disable)
        HandleActivity(message);
    else if (name == MessageNames::Register)
        RegisterObject(PayloadObject<GameObject>(message));
    else if (name == MessageNames::Destroy)
        UnregisterObject(PayloadObject<GameObject>(message));
    else if (name == MessageNames::Cloned)
        HandleCloned(message);
}

void Logic::HandleComponentSwitch(const BaseMessage& message)
{
    const auto* change = PayloadOf<std::pair<CompEnum, GameObject*>>(message);
    GameObject* object = change ? change->second : nullptr;
    ASSERT(object != nullptr, "Message (" + std::string(message.name.View()) + "), GameObject is nullptr");
    if (!object || change->first != CompEnum::MonoBehavior)
        return;
    if (message.name == MessageNames::DisableComponent)
        DisableObject(object);
    else if (object->IsActive())
        EnableObject(object);
}

void Logic::HandleActivity(const BaseMessage& message)
{
    GameObject* object = ObjectPayload(message);
    ASSERT(object != nullptr, "Message (" + std::string(message.name.View()) + "), GameObject is nullptr");
    MonoBehaviorDLL* holder = HolderOf(object);
    if (!holder)
        return;
    if (message.name == MessageNames::Disable)
        DisableObject(object);
    else if (holder->IsEnabled())
        EnableObject(object);
}

void Logic::HandleCloned(const BaseMessage& message)
{
    GameObject* object = PayloadObject<GameObject>(message);
    MonoBehaviorDLL* holder = HolderOf(object);
    if (!holder)
        return;
    // Objects the engine made get their scripts at once; a script's instantiate adds them one by one.
    if (message.sender != SystemId::ScriptCalls)
        AttachScripts(object);
    else
        for (const std::string& name : holder->GetAttachedScriptNames())
            AddScript(object, name);
}

namespace
{
// The events Logic forwards, and the holder's sender of each.
struct ScriptEvent
{
    MessageName name;
    void (*send)(MonoBehaviorDLL& holder, GameObjectInterface* other, ContactData contact);
    bool reportsNullObject;
};

constexpr ScriptEvent kScriptEvents[] = {
    {MessageNames::OnCollisionEnter, [](MonoBehaviorDLL& h, GameObjectInterface* o, ContactData c) { h.SendCollisionEnter(o, c); }, true},
    {MessageNames::OnCollisionStay, [](MonoBehaviorDLL& h, GameObjectInterface* o, ContactData c) { h.SendCollisionStay(o, c); }, true},
    {MessageNames::OnCollisionExit, [](MonoBehaviorDLL& h, GameObjectInterface* o, ContactData) { h.SendCollisionExit(o); }, true},
    {MessageNames::OnTriggerEnter, [](MonoBehaviorDLL& h, GameObjectInterface* o, ContactData c) { h.SendTriggerEnter(o, c); }, true},
    {MessageNames::OnTriggerStay, [](MonoBehaviorDLL& h, GameObjectInterface* o, ContactData c) { h.SendTriggerStay(o, c); }, true},
    {MessageNames::OnTriggerExit, [](MonoBehaviorDLL& h, GameObjectInterface* o, ContactData) { h.SendTriggerExit(o); }, false},
};
}

void Logic::ForwardEvent(const BaseMessage& message)
{
    const auto event = std::find_if(std::begin(kScriptEvents), std::end(kScriptEvents),
                                    [&](const ScriptEvent& known) { return message.name == known.name; });
    if (event == std::end(kScriptEvents))
        return;

    GameObject* first = nullptr;
    GameObject* second = nullptr;
    ContactData contact;
    if (const auto* collision = PayloadOf<CollisionData>(message))
    {
        first = collision->objectA;
        second = collision->objectB;
        contact = {collision->normal, collision->penetration};
    }
    else if (const auto* pair = PayloadOf<std::pair<GameObject*, GameObject*>>(message))
    {
        first = pair->first;
        second = pair->second;
    }
    ASSERT(!event->reportsNullObject || (first && second),
           std::string(message.name.View()) + ", one of the colliding object is nullptr");
    // Scripts take the other object as given; a missing one would be dereferenced by the first of them.
    if (!first || !second)
        return;

    // The two in the order they are filed, as a walk of the list would meet them; one filed anew by a
    // script's handler is met after the other, as the walk would meet it at the end.
    std::uint64_t served = 0;
    while (GameObject* object = NextFiled(activeObjects_, {first, second}, served))
    {
        MonoBehaviorDLL* holder = HolderOf(object);
        if (!holder)
        {
            ASSERT(false, "Object without MonoBehaviourDLL exist inside Logic System. Wei Shen Me?");
            continue;
        }
        event->send(*holder, object == first ? second : first, contact);
    }
}
