#pragma once
#include "message.h"
#include "system.h"

#include <functional>
#include <string>
#include <vector>

// A system that writes what happens to it into a shared log: "<name> <event>".
class RecordingSystem : public System
{
public:
    RecordingSystem(SystemId id, std::vector<std::string>& log) : System(id), log_(log)
    {
        Record("created");
    }
    ~RecordingSystem() override { Record("destroyed"); }

    void Init() override { Record("init"); }
    void Update() override
    {
        Record("update");
        if (onUpdate)
            onUpdate();
    }
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override { Record("unregister"); }
    std::string GetName() const override { return SystemNameMap()[GetId()]; }
    void HandleMessage(const BaseMessage& message) override
    {
        Record("got " + std::string(message.name.View()));
        if (onMessage)
            onMessage(message);
    }

    std::function<void()> onUpdate;
    std::function<void(const BaseMessage&)> onMessage;

private:
    void Record(const std::string& event) { log_.push_back(GetName() + " " + event); }

    std::vector<std::string>& log_;
};
