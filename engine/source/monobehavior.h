#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "component.h"
#include "monobehaviordllinterface.h"
#include "monobehaviorinterface.h"

class ReloadSaves;

// Holds an object's scripts by name, with names that have no instance yet, saves and loads them, and passes
// life-cycle calls and events to them. Logic drives it.
class MonoBehaviorDLL : public ComponentBase<MonoBehaviorDLLInterface>
{
public:
    using ScriptFactory = std::function<std::unique_ptr<MonoBehaviorInterface>(const std::string& name)>;

    MonoBehaviorDLL();
    ~MonoBehaviorDLL() override;

    // Component
    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "MonoBehaviorDLL"; }
    std::string GetElementName() const override { return "MonoBehavior"; }
    // A holder with the same enabled flag whose names all wait for instances: Logic brings them to life.
    std::unique_ptr<Component> Clone() const override;
    // Equal when both hold the same set of names.
    bool Compare(const Component& other) const override;

    // MonoBehaviorDLLInterface
    void RemoveMono(const std::string& name) override;
    MonoBehaviorInterface* GetScript(const std::string& name) const override;

    // The names of the instances' entries in name order, then the names still waiting for an instance.
    std::vector<std::string> GetAttachedScriptNames() const;
    MonoBehaviorInterface* FindExact(const std::string& name) const;
    // One of the holder's names, with an instance or not.
    bool IsAttached(const std::string& name) const;
    // Stores the instance under the name (replacing one stored there) and stops waiting for the name.
    void SetScript(const std::string& name, std::unique_ptr<MonoBehaviorInterface> script);
    // Erases the entry without OnDestroy (the editor's removal).
    void EraseScript(const std::string& name);
    // Asks Logic, at once, to attach a new instance of the named script (the editor's addition).
    void RegisterScript(const std::string& name);

    // Life cycle, in name order. Awake and Start move a script from Created to Awoken to Running.
    bool AwakeNextScript();
    void AwakeScript(MonoBehaviorInterface& script);
    // Awake for a new script, Start for an awoken one; others are left alone.
    void AdvanceScript(MonoBehaviorInterface& script);
    void StartAwokenScripts();
    void UpdateScripts();
    void ReloadScripts();
    // OnDestroy, once, for every script that got to run.
    void DestroyScripts();
    void DisableScripts();
    // Start for an awoken script, OnEnable for the others.
    void EnableScripts();

    // Events go to running scripts; enter and stay call the form without contact data first.
    void SendCollisionEnter(GameObjectInterface* other, ContactData contact);
    void SendCollisionStay(GameObjectInterface* other, ContactData contact);
    void SendCollisionExit(GameObjectInterface* other);
    void SendTriggerEnter(GameObjectInterface* other, ContactData contact);
    void SendTriggerStay(GameObjectInterface* other, ContactData contact);
    void SendTriggerExit(GameObjectInterface* other);

    // Reloading the script library: every instance is saved (state, owner, properties) and destroyed while
    // its code is still loaded; afterwards each gets a new instance from the new code with what was saved.
    // First every holder's instances write themselves, then, once all is read back, UnbindScripts takes
    // what each wrote, in the same order.
    void WriteScriptsForReload(ReloadSaves& saves) const;
    void UnbindScripts(ReloadSaves& saves);
    // True when the name had a saved script, which now has its new instance (or stays saved when `create`
    // gives nothing).
    bool RebindScript(const std::string& name, const ScriptFactory& create);
    void RebindScripts(const ScriptFactory& create);

    // Every holder that exists, wherever it is kept.
    static const std::vector<MonoBehaviorDLL*>& AllHolders();

private:
    struct UnboundScript
    {
        std::string name;
        ScriptState state;
        GameObjectInterface* owner;
        // The script's own element when it has properties; null otherwise.
        std::shared_ptr<const XMLNode> properties;
    };

    // Runs script code. Scripts removed meanwhile are taken out at once but destroyed only when the outermost
    // run ends, since one of them may be the caller.
    template <typename Run>
    void WhileScriptsRun(Run run);
    // Visits the instances in name order, as one run.
    template <typename Visit>
    void ForEachScript(Visit visit);
    template <typename Visit>
    void ForEachRunningScript(Visit visit);
    static void StartScript(MonoBehaviorInterface& script);
    // An enter or stay event: the form without contact data, then the one with it.
    using PlainEvent = void (MonoBehaviorInterface::*)(GameObjectInterface*);
    using ContactEvent = void (MonoBehaviorInterface::*)(GameObjectInterface*, ContactData);
    void SendContact(PlainEvent plain, ContactEvent withContact, GameObjectInterface* other, ContactData contact);
    void Retire(std::unique_ptr<MonoBehaviorInterface> script);
    bool IsRetired(const MonoBehaviorInterface& script) const;
    // Takes the entry out (its instance retired); false when there is none.
    bool EraseEntry(const std::string& name);
    bool IsPending(const std::string& name) const;
    void ReadMonos(const XMLNode& monos);
    void CreateFromFile(const std::string& name, const XMLNode* properties);
    const UnboundScript* FindUnbound(const std::string& name) const;

    std::map<std::string, std::unique_ptr<MonoBehaviorInterface>> scripts_;
    std::vector<std::string> pendingNames_;
    std::vector<UnboundScript> unbound_;
    int walkDepth_ = 0;
    std::vector<std::unique_ptr<MonoBehaviorInterface>> retired_;
    // The instances of the walks under way, outermost first.
    std::vector<MonoBehaviorInterface*> walk_;
};
