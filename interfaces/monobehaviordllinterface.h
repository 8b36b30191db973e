#pragma once
#include <string>

class GameObjectInterface;
class MonoBehaviorInterface;

// The script holder of an object as scripts see it.
class MonoBehaviorDLLInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void RemoveMono(const std::string& name) = 0;
    // The first held script, in name order, whose name contains the text; null when none.
    virtual MonoBehaviorInterface* GetScript(const std::string& name) const = 0;

protected:
    ~MonoBehaviorDLLInterface() = default;
};
