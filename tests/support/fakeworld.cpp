#include "fakeworld.h"

#include "assertion.h"
#include "gameservices.h"
#include "menuinput.h"
#include "playerprefprobe.h"
#include "scripthelpers.h"
#include "serializer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <typeinfo>

namespace
{
constexpr std::uint32_t kRandomSeed = 24;

using ScriptFactory = MonoBehaviorInterface* (*)(GameObjectInterface*);

// Every script class by its registered name, as the library's factories make them.
const std::map<std::string, ScriptFactory>& ScriptFactories()
{
#define FAKE_WORLD_FACTORY(Name) {#Name, &CreateScript<Name>},
#define FAKE_WORLD_NO_FACTORY(Name)
    static const std::map<std::string, ScriptFactory> factories{
        GAME_SCRIPTS(FAKE_WORLD_FACTORY, FAKE_WORLD_NO_FACTORY)};
#undef FAKE_WORLD_FACTORY
#undef FAKE_WORLD_NO_FACTORY
    return factories;
}

std::unique_ptr<MonoBehaviorInterface> NewScript(const std::string& name, GameObjectInterface* owner)
{
    const auto found = ScriptFactories().find(name);
    if (found == ScriptFactories().end())
        throw std::invalid_argument("no script class is registered as " + name);
    return std::unique_ptr<MonoBehaviorInterface>(found->second(owner));
}

// A new script of the same name holding the old one's saved properties, owner and state, as a reload of the
// library gives it. A test's own script class, which the library does not list, is cloned.
std::unique_ptr<MonoBehaviorInterface> Reloaded(const std::string& name, const MonoBehaviorInterface& old)
{
    if (!ScriptFactories().contains(name))
        return old.Clone();
    std::stringstream text;
    {
        XMLWriter writer(text);
        int counter = 0;
        old.WriteXml(writer, counter, name);
    }
    XMLReader reader(text);
    reader.Parse();
    auto fresh = NewScript(name, old.owner);
    if (const XMLNode* root = reader.GetRoot())
        fresh->ReadXml(*root);
    fresh->state = old.state;
    return fresh;
}

template <class Visit>
void ForEachScriptAt(FakeObject& object, ScriptState state, Visit visit)
{
    for (const auto& [name, script] : object.Scripts())
        if (script->state == state)
            visit(*script);
}

// Running and disabled scripts have started; only those hear events and OnDestroy.
template <class Visit>
void ForEachStartedScript(FakeObject& object, Visit visit)
{
    for (const auto& [name, script] : object.Scripts())
        if (script->state == ScriptState::Running || script->state == ScriptState::Disabled)
            visit(*script);
}

template <class Visit>
void ForEachRunningScript(FakeObject& object, Visit visit)
{
    ForEachScriptAt(object, ScriptState::Running, visit);
}
} // namespace

FakeObject::FakeObject(FakeFactory& factory, std::string objectName, ObjectId objectId)
    : name(std::move(objectName)), id(objectId), factory_(&factory)
{
}

FakeObject::FakeObject(const FakeObject& prefab, std::string objectName, ObjectId objectId)
    : name(std::move(objectName)), tag(prefab.tag), id(objectId), prefabId(prefab.id), active(prefab.active),
      transform(prefab.transform), factory_(prefab.factory_)
{
    for (const auto& component : prefab.components_)
    {
        components_.push_back(component->Copy());
        components_.back()->owner = this;
    }
    for (const auto& [scriptName, script] : prefab.scripts_)
    {
        auto clone = script->Clone();
        clone->owner = this;
        clone->state = ScriptState::Created;
        scripts_[scriptName] = std::move(clone);
    }
}

FakeObject::~FakeObject() = default;

void FakeObject::Place(const Vector3& position, const Vector3& degrees, const Vector3& scale)
{
    transform.SetPosition(position);
    transform.SetRotationRaw(degrees);
    transform.SetScale(scale);
    transform.PostLoad();
}

void FakeObject::Replace(std::unique_ptr<FakeComponent> component)
{
    const auto same = std::ranges::find_if(components_, [&](const auto& held) {
        return typeid(*held) == typeid(*component);
    });
    if (same == components_.end())
        components_.push_back(std::move(component));
    else
        *same = std::move(component);
}

MonoBehaviorInterface* FakeObject::FindScript(const std::string& scriptName) const
{
    const auto found = scripts_.find(scriptName);
    return found == scripts_.end() ? nullptr : found->second.get();
}

MonoBehaviorInterface& FakeObject::SetScript(const std::string& scriptName,
                                             std::unique_ptr<MonoBehaviorInterface> script)
{
    script->owner = this;
    auto& held = scripts_[scriptName];
    held = std::move(script);
    return *held;
}

MonoBehaviorInterface* FakeObject::GetScript(const std::string& text) const
{
    for (const auto& [scriptName, script] : scripts_)
        if (scriptName.find(text) != std::string::npos)
            return script.get();
    return nullptr;
}

GameObjectInterface* FakeScriptHolder::GetGameObject() const
{
    return object_;
}

void FakeScriptHolder::RemoveMono(const std::string& name)
{
    removed.push_back(name);
    MonoBehaviorInterface* script = object_->FindScript(name);
    if (!script)
    {
        std::cout << object_->name << " don't have script : " << name << std::endl;
        return;
    }
    script->OnDestroy();
    script->state = ScriptState::Destroyed;
}

MonoBehaviorInterface* FakeScriptHolder::GetScript(const std::string& name) const
{
    return object_->GetScript(name);
}

void FakeObject::Destroy()
{
    factory_->Destroy(this);
}

const std::vector<GameObject*>& FakeObject::GetChildren() const
{
    static const std::vector<GameObject*> none;
    return none;
}

FakeObject& FakeFactory::AddLive(const std::string& name)
{
    live_.push_back(std::make_unique<FakeObject>(*this, name, NextId()));
    starting_.push_back(live_.back().get());
    return *live_.back();
}

FakeObject& FakeFactory::AddPrefab(const std::string& name)
{
    prefabs_.push_back(std::make_unique<FakeObject>(*this, name, NextId()));
    return *prefabs_.back();
}

FakeObject* FakeFactory::FindObject(const std::string& name) const
{
    for (const auto& object : live_)
        if (!object->destroyed && object->name == name)
            return object.get();
    return nullptr;
}

std::vector<FakeObject*> FakeFactory::LiveNamed(const std::string& name) const
{
    std::vector<FakeObject*> found;
    for (const auto& object : live_)
        if (object->name == name)
            found.push_back(object.get());
    return found;
}

FakeObject* FakeFactory::FindObjectById(ObjectId id) const
{
    for (const auto& object : live_)
        if (!object->destroyed && object->id == id)
            return object.get();
    return nullptr;
}

std::vector<GameObjectInterface*> FakeFactory::GetObjectsWithScript(const std::string& name) const
{
    std::vector<GameObjectInterface*> found;
    for (const auto& object : live_)
        if (!object->destroyed && object->GetScript(name))
            found.push_back(object.get());
    return found;
}

FakeObject* FakeFactory::FindPrefab(const std::string& name) const
{
    for (const auto& prefab : prefabs_)
        if (prefab->name == name)
            return prefab.get();
    return nullptr;
}

FakeObject* FakeFactory::Instantiate(const std::string& name, ObjectId prefabId)
{
    const auto prefab =
        std::ranges::find_if(prefabs_, [&](const auto& held) { return prefabId != 0 && held->id == prefabId; });
    live_.push_back(prefab == prefabs_.end() ? std::make_unique<FakeObject>(*this, name, NextId())
                                             : std::make_unique<FakeObject>(**prefab, name, NextId()));
    instantiated.push_back(name);
    return live_.back().get();
}

FakeObject* FakeFactory::LiveObject(GameObjectInterface* object) const
{
    const auto found = std::ranges::find_if(live_, [&](const auto& held) { return held.get() == object; });
    return found == live_.end() ? nullptr : found->get();
}

void FakeFactory::Destroy(GameObjectInterface* object)
{
    // As the engine's factory: an object no longer live (perhaps freed) is reported and left alone.
    FakeObject* live = LiveObject(object);
    if (!live || live->destroyed)
    {
        ReportAssertion("Can't destroy an object that is not live", __FILE__, __LINE__);
        return;
    }
    live->destroyed = true;
    destroyed.push_back(live->name);
}

void FakeFactory::Register(GameObjectInterface* object)
{
    FakeObject* live = LiveObject(object);
    if (!live)
        return;
    registered.push_back(live->name);
    if (std::ranges::find(starting_, live) == starting_.end())
        starting_.push_back(live);
}

void FakeFactory::LoadLevel(const std::string& name)
{
    loadedLevels.push_back(name);
    if (onLoadLevel)
        onLoadLevel(name);
}

std::vector<GameObjectInterface*> FakeFactory::GetAllObjects() const
{
    std::vector<GameObjectInterface*> all;
    for (const auto& object : live_)
        if (!object->destroyed)
            all.push_back(object.get());
    return all;
}

bool FakeFactory::WasDestroyed(const std::string& name) const
{
    return std::ranges::find(destroyed, name) != destroyed.end();
}

void FakeFactory::StartRegistered()
{
    std::vector<FakeObject*> inactive;
    // By index: a Start may register more objects, which start in the same pass, as in the engine.
    for (std::size_t index = 0; index < starting_.size(); ++index)
    {
        FakeObject& object = *starting_[index];
        if (object.destroyed)
            continue;
        if (!object.active)
        {
            inactive.push_back(&object);
            continue;
        }
        ForEachScriptAt(object, ScriptState::Created, [](MonoBehaviorInterface& script) {
            script.Awake();
            script.state = ScriptState::Awoken;
        });
        ForEachScriptAt(object, ScriptState::Awoken, [](MonoBehaviorInterface& script) {
            script.Start();
            script.state = ScriptState::Running;
        });
    }
    starting_ = std::move(inactive);
}

void FakeFactory::UpdateRunning(bool paused)
{
    // By index: objects instantiated meanwhile are appended and have nothing running yet.
    for (std::size_t index = 0; index < live_.size(); ++index)
    {
        FakeObject& object = *live_[index];
        if (!object.destroyed && object.active && (object.tag == kRunWhenPausedTag) == paused)
            ForEachRunningScript(object, [](MonoBehaviorInterface& script) { script.Update(); });
    }
}

void FakeFactory::RemoveDestroyed()
{
    // An OnDestroy may destroy more objects: they leave in the same step.
    for (auto gone = std::ranges::find_if(live_, [](const auto& object) { return object->destroyed; });
         gone != live_.end(); gone = std::ranges::find_if(live_, [](const auto& object) { return object->destroyed; }))
    {
        std::unique_ptr<FakeObject> object = std::move(*gone);
        live_.erase(gone);
        std::erase(starting_, object.get());
        ForEachStartedScript(*object, [](MonoBehaviorInterface& script) {
            script.OnDestroy();
            script.state = ScriptState::Destroyed;
        });
    }
}

FakeWorld::FakeWorld()
{
    PlayerPrefProbe::Clear();
    gMenuStick = {};
    SeedRandom(kRandomSeed);
    // Library-wide like the store: one test's Ctrl+Backspace must not end the next one's fight.
    BossLevelController::bossSkip = false;
    PassServices();
}

FakeWorld::~FakeWorld()
{
    gServices = {};
}

FakeObject& FakeWorld::Object(const std::string& name, const std::string& tag)
{
    FakeObject& object = factory.AddLive(name);
    object.tag = tag;
    return object;
}

FakeObject& FakeWorld::Prefab(const std::string& name)
{
    return factory.AddPrefab(name);
}

MonoBehaviorInterface& FakeWorld::Attach(FakeObject& object, const std::string& scriptName)
{
    return object.SetScript(scriptName, NewScript(scriptName, &object));
}

void FakeWorld::PassServices()
{
    gServices = {&input, &factory, &physics, &audio, &core, frameTime};
}

void FakeWorld::Step()
{
    PassServices();
    factory.StartRegistered();
    factory.UpdateRunning(core.paused);
    input.EndFrame();
    core.totalTime += frameTime;
    factory.RemoveDestroyed();
}

void FakeWorld::Steps(int count)
{
    for (int step = 0; step < count; ++step)
        Step();
}

void FakeWorld::Press(std::uint16_t key)
{
    input.Hold(key);
    Step();
    input.Release(key);
    Step();
}

void FakeWorld::HotReload()
{
    std::vector<MonoBehaviorInterface*> fresh;
    for (const auto& object : factory.Live())
        for (const auto& [name, script] : object->Scripts())
            fresh.push_back(&object->SetScript(name, Reloaded(name, *script)));
    for (MonoBehaviorInterface* script : fresh)
        script->Reload();
}

void FakeWorld::CollisionEnter(FakeObject& receiver, GameObjectInterface& other, ContactData contact)
{
    SendContact(receiver, &MonoBehaviorInterface::OnCollisionEnter, &MonoBehaviorInterface::OnCollisionEnter, other,
                contact);
}

void FakeWorld::CollisionStay(FakeObject& receiver, GameObjectInterface& other, ContactData contact)
{
    SendContact(receiver, &MonoBehaviorInterface::OnCollisionStay, &MonoBehaviorInterface::OnCollisionStay, other,
                contact);
}

void FakeWorld::CollisionExit(FakeObject& receiver, GameObjectInterface& other)
{
    ForEachRunningScript(receiver, [&](MonoBehaviorInterface& script) { script.OnCollisionExit(&other); });
}

void FakeWorld::TriggerEnter(FakeObject& receiver, GameObjectInterface& other, ContactData contact)
{
    SendContact(receiver, &MonoBehaviorInterface::OnTriggerEnter, &MonoBehaviorInterface::OnTriggerEnter, other,
                contact);
}

void FakeWorld::TriggerStay(FakeObject& receiver, GameObjectInterface& other, ContactData contact)
{
    SendContact(receiver, &MonoBehaviorInterface::OnTriggerStay, &MonoBehaviorInterface::OnTriggerStay, other,
                contact);
}

void FakeWorld::TriggerExit(FakeObject& receiver, GameObjectInterface& other)
{
    ForEachRunningScript(receiver, [&](MonoBehaviorInterface& script) { script.OnTriggerExit(&other); });
}

void FakeWorld::SendContact(FakeObject& receiver, PlainEvent plain, ContactEvent withContact,
                            GameObjectInterface& other, ContactData contact)
{
    ForEachRunningScript(receiver, [&](MonoBehaviorInterface& script) {
        (script.*plain)(&other);
        (script.*withContact)(&other, contact);
    });
}

std::string ReportsOf(const std::function<void()>& code)
{
    testing::internal::CaptureStderr();
    code();
    return testing::internal::GetCapturedStderr();
}

int CountOf(const std::string& reports, const std::string& text)
{
    int count = 0;
    for (std::size_t at = reports.find(text); at != std::string::npos; at = reports.find(text, at + text.size()))
        ++count;
    return count;
}
