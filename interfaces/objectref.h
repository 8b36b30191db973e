#pragma once
#include "gameobjectinterface.h"
#include "objectfactoryinterface.h"

// The factory that references look their objects up in. The script library answers with the one it was last
// handed; null before that.
ObjectFactoryInterface* ReferencedFactory();

// An object held by its id: every use asks the factory for it, so an object destroyed meanwhile (by its own
// script, another holder or a level change) reads as null instead of as freed memory. For what a script keeps
// across frames but does not own the life of: effects, shields, doors, lights, projectiles, spawned enemies.
class ObjectRef
{
public:
    ObjectRef() = default;
    // Implicit, so a lookup's answer is stored as it comes.
    ObjectRef(const GameObjectInterface* object) : id_(object ? object->GetID() : 0) {}

    // The object while it is live; null once it is gone, or when none was held.
    GameObjectInterface* Get() const
    {
        const ObjectFactoryInterface* factory = id_ != 0 ? ReferencedFactory() : nullptr;
        return factory ? factory->FindObjectById(id_) : nullptr;
    }
    explicit operator bool() const { return Get() != nullptr; }
    ObjectId Id() const { return id_; }
    void Reset() { id_ = 0; }

    bool operator==(const ObjectRef&) const = default;

private:
    ObjectId id_ = 0;
};
