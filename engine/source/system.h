#pragma once
#include <cstdint>
#include <map>
#include <string>

class GameObject;
struct BaseMessage;

// Numbers of the engine systems; they also address messages and key the per-system timing.
enum class SystemId : std::uint32_t
{
    None = 0,
    All = 1, // message receiver: every system
    Graphics = 2,
    Editor = 3,
    Input = 4,
    Logic = 5,
    ScriptCalls = 6, // sender of messages that come from script-facing calls
    Physics = 7,
    Messaging = 8,
    Audio = 9,
    AI = 11,
};

// Abstract base of every engine system. Update takes no frame time: systems read it from Core.
class System
{
public:
    explicit System(SystemId id) : id_(id) {}
    virtual ~System() = default;
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    virtual void Init() = 0;
    virtual void Update() = 0;
    virtual void RegisterObject(GameObject* object) = 0;
    virtual void UnregisterObject(GameObject* object) = 0;
    virtual std::string GetName() const = 0;
    virtual void HandleMessage(const BaseMessage& message) = 0;

    SystemId GetId() const { return id_; }

private:
    SystemId id_;
};

// Display names of the system ids, for the editor's system usage. Looking up an unknown id adds it unnamed.
std::map<SystemId, std::string>& SystemNameMap();
