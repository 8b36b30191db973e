#pragma once
#include "gameobjectinterface.h"

#include <string>
#include <vector>

// What scripts see of the object factory: finding, making, registering and destroying objects, and levels.
// The engine owns every object it hands out; "live" objects are those of the running level.
class ObjectFactoryInterface
{
public:
    // The first live object of that name, or null.
    virtual GameObjectInterface* FindObject(const std::string& name) const = 0;
    virtual GameObjectInterface* FindObjectById(ObjectId id) const = 0;
    // The live objects, in order, holding a script whose name contains the text.
    virtual std::vector<GameObjectInterface*> GetObjectsWithScript(const std::string& name) const = 0;
    // The prefab of that name (never a live object), or null. Its GetID is what Instantiate takes.
    virtual GameObjectInterface* FindPrefab(const std::string& name) const = 0;
    // A new live object copied from the prefab (only a Transform when the id names none), announced at
    // once. It is not registered: call Register before it is drawn, simulated or runs scripts.
    virtual GameObjectInterface* Instantiate(const std::string& name, ObjectId prefabId) = 0;
    // Takes a live object out of the level; it is freed after the systems have heard of it.
    virtual void Destroy(GameObjectInterface* object) = 0;
    // Every system takes the object into its lists at the next message delivery.
    virtual void Register(GameObjectInterface* object) = 0;
    // Destroys every live object and loads the level of that name; the caller runs to the end of its frame.
    virtual void LoadLevel(const std::string& name) = 0;
    virtual std::string GetLevelName() const = 0;
    virtual void SetLevelName(const std::string& name) = 0;
    virtual std::vector<GameObjectInterface*> GetAllObjects() const = 0;

protected:
    // The engine owns its factory; scripts never delete it.
    ~ObjectFactoryInterface() = default;
};
