#pragma once
#include <memory>
#include <string>
#include <vector>

#include "objectset.h"
#include "reloadsaves.h"
#include "scriptlibrary.h"
#include "system.h"

class GameObject;
class MonoBehaviorDLL;

// Keeps references into the script library's property tables (the editor's inspector does). The tables are
// part of the library, so a holder is told to drop them before the library is freed.
class PropertyTableHolder
{
public:
    virtual void DropPropertyTables() = 0;

protected:
    ~PropertyTableHolder() = default;
};

// Hosts the script library: loads a copy of it, hands it the engine's services, reloads it when a new build
// appears, and drives the scripts of every registered object through their life cycle and events.
class Logic : public System
{
public:
    // The library is built into libraryFolder and loaded from a copy in the per-user folder.
    Logic();
    Logic(std::string libraryFolder, std::string userFolder);
    ~Logic() override;

    void Init() override;
    void Update() override;
    void RegisterObject(GameObject* object) override;
    void UnregisterObject(GameObject* object) override;
    std::string GetName() const override { return "Logic"; }
    void HandleMessage(const BaseMessage& message) override;

    bool LoadGameLibrary();
    // Tells every table holder to drop its references, then frees the library.
    bool ReleaseGameLibrary();
    // A holder stays registered until it is removed; it must outlive neither Logic nor its registration.
    void AddTableHolder(PropertyTableHolder* holder);
    void RemoveTableHolder(PropertyTableHolder* holder);
    void PassStapleFunctions();
    // A new instance of the named script, owned by the caller; null (with a console line) when there is none.
    std::unique_ptr<MonoBehaviorInterface> FindScript(const std::string& name) const;
    // Every script name the library offers, in name order.
    std::vector<std::string> GetScriptNames() const { return library_.GetScriptNames(); }

    void AddScript(GameObject* object, const std::string& name);
    void AttachScripts(GameObject* object);
    void EnableObject(GameObject* object);
    void DisableObject(GameObject* object);

    // The built library and its loaded copy.
    const std::string& BuiltLibraryPath() const { return builtPath_; }
    const std::string& LoadedCopyPath() const { return copyPath_; }
    bool IsSuspended() const { return suspended_; }
    // The editor's Play and Stop start the scripts running again.
    void SetSuspended(bool suspended) { suspended_ = suspended; }

private:
    StapleArguments CurrentStapleArguments() const;
    void ReadSuspendKey();
    void ReloadGameLibrary();
    void UnbindAllScripts();
    // Gives the object's scripts new instances and notes it in reattached; Reload waits for ReloadReattached.
    void ReattachScripts(GameObject* object, std::vector<GameObject*>& reattached);
    void ReloadReattached(const std::vector<GameObject*>& reattached);
    // Gives the holder a new instance under the name; an object already running takes it at its next step.
    void JoinScript(GameObject* object, MonoBehaviorDLL& holder, const std::string& name,
                    std::unique_ptr<MonoBehaviorInterface> script);
    void RunLifeCycleStep();
    void UpdateScripts();
    // Appends the object to the list that takes it when it runs (active or run-when-paused).
    void FileAsRunning(GameObject* object);
    bool IsRunning(GameObject* object) const;
    // Filed in any list. Switching an object Logic no longer holds (destroyed earlier in the same delivery,
    // freed at the end of the frame) must not file it again.
    bool Holds(GameObject* object) const;
    void QueuePending(GameObject* object);
    void HandleLogicMessage(const BaseMessage& message);
    void HandleBroadcast(const BaseMessage& message);
    void HandleComponentSwitch(const BaseMessage& message);
    void HandleActivity(const BaseMessage& message);
    void HandleCloned(const BaseMessage& message);
    void ForwardEvent(const BaseMessage& message);

    // Made once: the built library's file is looked at every update.
    std::string builtPath_;
    std::string copyPath_;
    ScriptLibrary library_;
    LibraryWatch watch_;
    bool suspended_ = false;
    std::vector<PropertyTableHolder*> tableHolders_;
    // Kept between reloads for its buffers.
    ReloadSaves saves_;

    ObjectSet activeObjects_;
    ObjectSet runWhenPausedObjects_;
    ObjectSet inactiveObjects_;
    // Awake and Start queue: an object is moved to the end again after each Awake of a walk.
    ObjectSet pendingObjects_;
    ObjectSet* currentObjects_ = &activeObjects_;
};
