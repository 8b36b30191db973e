#pragma once
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
