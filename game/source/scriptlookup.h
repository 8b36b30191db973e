#pragma once
#include <string>

#include "gameobjectinterface.h"
#include "monobehaviorinterface.h"

// The object's script whose name contains `name`, when it is a T: a name found by substring may belong to
// another class. Null for a missing object or script.
template <class T>
T* ScriptOf(const GameObjectInterface* object, const std::string& name)
{
    return object ? dynamic_cast<T*>(object->GetScript(name)) : nullptr;
}
