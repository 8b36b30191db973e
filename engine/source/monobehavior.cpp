#include "monobehavior.h"

#include <algorithm>
#include <iostream>
#include <set>
#include <utility>

#include "assertion.h"
#include "core.h"
#include "gameobject.h"
#include "helpers.h"
#include "logic.h"
#include "message.h"
#include "messagingsystem.h"
#include "reloadsaves.h"

namespace
{
constexpr char kMonos[] = "Monos";

std::vector<MonoBehaviorDLL*>& Holders()
{
    static std::vector<MonoBehaviorDLL*> holders;
    return holders;
}

bool ReachedRunning(const MonoBehaviorInterface& script)
{
    return script.state == ScriptState::Running || script.state == ScriptState::Disabled;
}

// Writes a saved element back as it was read.
void WriteNode(XMLWriter& writer, const XMLNode& node)
{
    if (node.children.empty())
    {
        writer.WriteElement(node.name, node.value);
        return;
    }
    writer.BeginElement(node.name);
    for (const XMLNode* child : node.children)
        WriteNode(writer, *child);
    writer.EndElement();
}

template <typename Unbound>
auto FindUnboundIn(Unbound& unbound, const std::string& name)
{
    return std::find_if(unbound.begin(), unbound.end(), [&](const auto& entry) { return entry.name == name; });
}

std::unique_ptr<MonoBehaviorInterface> FindScript(const std::string& name)
{
    Logic* logic = gCore ? gCore->GetLogic() : nullptr;
    if (!logic)
    {
        std::cout << "Can't find script '" << name << "'" << std::endl;
        return nullptr;
    }
    return logic->FindScript(name);
}
}

MonoBehaviorDLL::MonoBehaviorDLL() : ComponentBase(CompEnum::MonoBehavior)
{
    Holders().push_back(this);
}

MonoBehaviorDLL::~MonoBehaviorDLL()
{
    auto& holders = Holders();
    holders.erase(std::find(holders.begin(), holders.end(), this));
}

const std::vector<MonoBehaviorDLL*>& MonoBehaviorDLL::AllHolders()
{
    return Holders();
}

template <typename Run>
void MonoBehaviorDLL::WhileScriptsRun(Run run)
{
    ++walkDepth_;
    run();
    if (--walkDepth_ == 0)
        retired_.clear();
}

template <typename Visit>
void MonoBehaviorDLL::ForEachScript(Visit visit)
{
    // The instances are listed first, on a stack kept between walks (so a frame's walks allocate nothing once
    // it has grown), and visited by position, as a nested walk may grow the stack meanwhile. One removed
    // during the walk lives on in retired_ until the walk ends and is passed over; one added is not visited.
    const std::size_t begin = walk_.size();
    for (const auto& entry : scripts_)
        if (entry.second)
            walk_.push_back(entry.second.get());
    const std::size_t end = walk_.size();
    WhileScriptsRun([&] {
        for (std::size_t at = begin; at < end; ++at)
            if (!IsRetired(*walk_[at]))
                visit(*walk_[at]);
    });
    walk_.resize(begin);
}

template <typename Visit>
void MonoBehaviorDLL::ForEachRunningScript(Visit visit)
{
    ForEachScript([&](MonoBehaviorInterface& script) {
        if (script.state == ScriptState::Running)
            visit(script);
    });
}

void MonoBehaviorDLL::Retire(std::unique_ptr<MonoBehaviorInterface> script)
{
    if (script && walkDepth_ > 0)
        retired_.push_back(std::move(script));
}

bool MonoBehaviorDLL::IsRetired(const MonoBehaviorInterface& script) const
{
    return std::any_of(retired_.begin(), retired_.end(),
                       [&](const auto& retired) { return retired.get() == &script; });
}

bool MonoBehaviorDLL::EraseEntry(const std::string& name)
{
    const auto found = scripts_.find(name);
    std::erase_if(unbound_, [&](const UnboundScript& entry) { return entry.name == name; });
    if (found == scripts_.end())
        return false;
    Retire(std::move(found->second));
    scripts_.erase(found);
    return true;
}

bool MonoBehaviorDLL::IsPending(const std::string& name) const
{
    return ContainsString(pendingNames_, name);
}

std::vector<std::string> MonoBehaviorDLL::GetAttachedScriptNames() const
{
    std::vector<std::string> names;
    names.reserve(scripts_.size() + pendingNames_.size());
    for (const auto& entry : scripts_)
        names.push_back(entry.first);
    names.insert(names.end(), pendingNames_.begin(), pendingNames_.end());
    return names;
}

MonoBehaviorInterface* MonoBehaviorDLL::FindExact(const std::string& name) const
{
    const auto found = scripts_.find(name);
    return found == scripts_.end() ? nullptr : found->second.get();
}

bool MonoBehaviorDLL::IsAttached(const std::string& name) const
{
    return scripts_.contains(name) || IsPending(name);
}

MonoBehaviorInterface* MonoBehaviorDLL::GetScript(const std::string& name) const
{
    for (const auto& [scriptName, script] : scripts_)
        if (script && StringContains(scriptName, name))
            return script.get();
    return nullptr;
}

void MonoBehaviorDLL::SetScript(const std::string& name, std::unique_ptr<MonoBehaviorInterface> script)
{
    std::erase(pendingNames_, name);
    auto& entry = scripts_[name];
    Retire(std::exchange(entry, std::move(script)));
}

void MonoBehaviorDLL::EraseScript(const std::string& name)
{
    EraseEntry(name);
}

void MonoBehaviorDLL::RemoveMono(const std::string& name)
{
    GameObject* owner = Component::GetGameObject(false);
    MonoBehaviorInterface* script = FindExact(name);
    if (!scripts_.contains(name))
    {
        std::cout << (owner ? owner->GetName() : std::string()) << " don't have script : " << name << std::endl;
        return;
    }
    if (script && ReachedRunning(*script))
    {
        script->state = ScriptState::Destroyed;
        script->OnDestroy();
    }
    if (!script)
        std::erase(pendingNames_, name);
    EraseEntry(name);
    PostMessage(SystemId::None, SystemId::All, MessageNames::RemoveMono, std::make_pair(owner, name));
}

void MonoBehaviorDLL::RegisterScript(const std::string& name)
{
    DispatchMessage(SystemId::ScriptCalls, SystemId::Logic, MessageNames::Register,
                    std::make_pair(Component::GetGameObject(false), name));
}

bool MonoBehaviorDLL::AwakeNextScript()
{
    bool awoke = false;
    ForEachScript([&](MonoBehaviorInterface& script) {
        if (!awoke && script.state == ScriptState::Created)
        {
            AwakeScript(script);
            awoke = true;
        }
    });
    return awoke;
}

void MonoBehaviorDLL::AwakeScript(MonoBehaviorInterface& script)
{
    WhileScriptsRun([&] {
        script.state = ScriptState::Awoken;
        script.Awake();
    });
}

void MonoBehaviorDLL::AdvanceScript(MonoBehaviorInterface& script)
{
    if (script.state == ScriptState::Created)
        AwakeScript(script);
    else if (script.state == ScriptState::Awoken)
        WhileScriptsRun([&] { StartScript(script); });
}

void MonoBehaviorDLL::StartScript(MonoBehaviorInterface& script)
{
    script.state = ScriptState::Running;
    script.Start();
}

void MonoBehaviorDLL::StartAwokenScripts()
{
    ForEachScript([](MonoBehaviorInterface& script) {
        if (script.state == ScriptState::Awoken)
            StartScript(script);
    });
}

void MonoBehaviorDLL::UpdateScripts()
{
    ForEachRunningScript([](MonoBehaviorInterface& script) { script.Update(); });
}

void MonoBehaviorDLL::ReloadScripts()
{
    ForEachScript([](MonoBehaviorInterface& script) {
        if (script.state >= ScriptState::Running)
            script.Reload();
    });
}

void MonoBehaviorDLL::DestroyScripts()
{
    ForEachScript([](MonoBehaviorInterface& script) {
        if (ReachedRunning(script))
        {
            script.state = ScriptState::Destroyed;
            script.OnDestroy();
        }
    });
}

void MonoBehaviorDLL::DisableScripts()
{
    ForEachRunningScript([](MonoBehaviorInterface& script) {
        script.state = ScriptState::Disabled;
        script.OnDisable();
    });
}

void MonoBehaviorDLL::EnableScripts()
{
    ForEachScript([](MonoBehaviorInterface& script) {
        if (script.state == ScriptState::Destroyed)
            return;
        const bool awoken = script.state == ScriptState::Awoken;
        script.state = ScriptState::Running;
        if (awoken)
            script.Start();
        else
            script.OnEnable();
    });
}

void MonoBehaviorDLL::SendContact(PlainEvent plain, ContactEvent withContact, GameObjectInterface* other,
                                  ContactData contact)
{
    ForEachRunningScript([&](MonoBehaviorInterface& script) {
        (script.*plain)(other);
        // A script the plain form stopped gets no second call.
        if (script.state == ScriptState::Running)
            (script.*withContact)(other, contact);
    });
}

void MonoBehaviorDLL::SendCollisionEnter(GameObjectInterface* other, ContactData contact)
{
    SendContact(&MonoBehaviorInterface::OnCollisionEnter, &MonoBehaviorInterface::OnCollisionEnter, other, contact);
}

void MonoBehaviorDLL::SendCollisionStay(GameObjectInterface* other, ContactData contact)
{
    SendContact(&MonoBehaviorInterface::OnCollisionStay, &MonoBehaviorInterface::OnCollisionStay, other, contact);
}

void MonoBehaviorDLL::SendCollisionExit(GameObjectInterface* other)
{
    ForEachRunningScript([&](MonoBehaviorInterface& script) { script.OnCollisionExit(other); });
}

void MonoBehaviorDLL::SendTriggerEnter(GameObjectInterface* other, ContactData contact)
{
    SendContact(&MonoBehaviorInterface::OnTriggerEnter, &MonoBehaviorInterface::OnTriggerEnter, other, contact);
}

void MonoBehaviorDLL::SendTriggerStay(GameObjectInterface* other, ContactData contact)
{
    SendContact(&MonoBehaviorInterface::OnTriggerStay, &MonoBehaviorInterface::OnTriggerStay, other, contact);
}

void MonoBehaviorDLL::SendTriggerExit(GameObjectInterface* other)
{
    ForEachRunningScript([&](MonoBehaviorInterface& script) { script.OnTriggerExit(other); });
}

void MonoBehaviorDLL::WriteScriptsForReload(ReloadSaves& saves) const
{
    for (const auto& [name, script] : scripts_)
        if (script)
            saves.Save(*script, name);
}

void MonoBehaviorDLL::UnbindScripts(ReloadSaves& saves)
{
    unbound_.reserve(unbound_.size() + scripts_.size());
    for (auto& [name, script] : scripts_)
    {
        if (!script)
            continue;
        unbound_.push_back({name, script->state, script->owner, saves.Take(name)});
        script.reset();
    }
}

bool MonoBehaviorDLL::RebindScript(const std::string& name, const ScriptFactory& create)
{
    const auto saved = FindUnboundIn(unbound_, name);
    if (saved == unbound_.end())
        return false;
    auto script = create(name);
    if (!script)
        return true;
    script->owner = saved->owner;
    script->state = saved->state;
    if (saved->properties)
        script->ReadXml(*saved->properties);
    unbound_.erase(saved);
    SetScript(name, std::move(script));
    return true;
}

void MonoBehaviorDLL::RebindScripts(const ScriptFactory& create)
{
    std::vector<std::string> names;
    for (const UnboundScript& entry : unbound_)
        names.push_back(entry.name);
    for (const std::string& name : names)
        RebindScript(name, create);
}

const MonoBehaviorDLL::UnboundScript* MonoBehaviorDLL::FindUnbound(const std::string& name) const
{
    const auto found = FindUnboundIn(unbound_, name);
    return found == unbound_.end() ? nullptr : &*found;
}

std::unique_ptr<Component> MonoBehaviorDLL::Clone() const
{
    auto copy = std::make_unique<MonoBehaviorDLL>();
    copy->StoreEnabled(IsEnabled());
    copy->pendingNames_ = GetAttachedScriptNames();
    return copy;
}

bool MonoBehaviorDLL::Compare(const Component& other) const
{
    const auto* holder = dynamic_cast<const MonoBehaviorDLL*>(&other);
    if (!Check(holder != nullptr, "MonoBehaviorDLL compare function kena nullptr"))
        return false;
    const auto names = GetAttachedScriptNames();
    const auto otherNames = holder->GetAttachedScriptNames();
    return std::set<std::string>(names.begin(), names.end()) ==
           std::set<std::string>(otherNames.begin(), otherNames.end());
}

void MonoBehaviorDLL::Serialize(XMLWriter& writer, const Component* prefab) const
{
    const auto* reference = dynamic_cast<const MonoBehaviorDLL*>(prefab);
    writer.BeginElement(GetElementName());
    if (!reference || reference->IsEnabled() != IsEnabled())
        writer.WriteElement("Enabled", IsEnabled());

    // Entries without an instance (names waiting for one, scripts saved over a reload) go in name order too.
    std::map<std::string, const MonoBehaviorInterface*> entries;
    for (const auto& [name, script] : scripts_)
        entries.emplace(name, script.get());
    for (const std::string& name : pendingNames_)
        entries.emplace(name, nullptr);

    if (!reference || !entries.empty())
    {
        writer.BeginElement(kMonos);
        int counter = 0;
        for (const auto& [name, script] : entries)
        {
            const UnboundScript* saved = script ? nullptr : FindUnbound(name);
            if (script)
                script->WriteXml(writer, counter, name);
            else if (saved && saved->properties)
                WriteNode(writer, *saved->properties);
            else
                WriteMonosLeaf(writer, counter, name);
        }
        writer.EndElement();
    }
    writer.EndElement();
}

void MonoBehaviorDLL::Deserialize(const XMLNode& element)
{
    if (element.name != GetElementName())
        return;
    for (const XMLNode* child : element.children)
    {
        if (child->name == "Enabled")
        {
            bool enabled = IsEnabled();
            XMLReader::ReadValue(child->value, &enabled);
            StoreEnabled(enabled);
        }
        else if (child->name == kMonos)
            ReadMonos(*child);
    }
}

void MonoBehaviorDLL::ReadMonos(const XMLNode& monos)
{
    for (const XMLNode* entry : monos.children)
    {
        if (entry->children.empty())
        {
            if (!IsAttached(entry->value))
                CreateFromFile(entry->value, nullptr);
        }
        else if (MonoBehaviorInterface* script = FindExact(entry->name))
            script->ReadXml(*entry);
        else if (!IsPending(entry->name))
            CreateFromFile(entry->name, entry);
    }
}

void MonoBehaviorDLL::CreateFromFile(const std::string& name, const XMLNode* properties)
{
    auto script = FindScript(name);
    if (!script)
        return;
    script->owner = Component::GetGameObject(false);
    if (properties)
        script->ReadXml(*properties);
    SetScript(name, std::move(script));
}
