#pragma once
#include "componentregistry.h"
#include "gameobject.h"

#include <utility>

// Applies change (a callable taking T&) to the object's first T (GameObject::GetComponent<T>); for the 13
// types with edit actions it is recorded for undo in the inspector's order (action, before, change,
// after, Record). False when the object has no T.
template <class T, class Change>
bool RecordComponentEdit(GameObject& object, Change&& change)
{
    T* component = object.GetComponent<T>();
    if (!component)
        return false;
    std::forward<Change>(change)(*component);
    return true;
}

// Adds the registered component by name; recorded for undo when it was added. Null when nothing was added.
inline Component* RecordComponentAdd(GameObject& object, const std::string& name)
{
    if (ComponentCreators().find(name) == ComponentCreators().end())
        return nullptr;
    return object.AddComponent(name);
}

// Parks the object's component of the registered name's kind; recorded for undo when one was parked.
inline Component* RecordComponentRemove(GameObject& object, const std::string& name)
{
    return object.RemoveComponentByName(name);
}
