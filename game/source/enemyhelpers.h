#pragma once
#include <string>

#include "TorvaneMath.h"
#include "gameobjectinterface.h"

class AICharacter;

// Lookups and effects the enemies, hazards and puzzles share.

// The object's script found under the name, as a T; null when there is no object or script, or when the
// name matched a script of another class (names match by substring).
template <class T>
T* ScriptAs(const GameObjectInterface* object, const std::string& name)
{
    return object ? dynamic_cast<T*>(object->GetScript(name)) : nullptr;
}

// The object's "Elem" script as an AI character; null for every enemy of this library.
AICharacter* ElemOf(const GameObjectInterface* object);

// The live object of that name; a missing one is reported.
GameObjectInterface* FindRequired(const std::string& name);
// The prefab of that name; a missing one is reported.
GameObjectInterface* FindRequiredPrefab(const std::string& name);
// Its id; 0 when it is missing.
ObjectId FindPrefabId(const std::string& name);

// Hurts the player through its "PlayerController"; an object without one is left alone.
void HurtPlayer(const GameObjectInterface* player);

// An instance of the prefab under the name, registered, at the position, removed after the seconds by its
// "DestroyAfterSeconds". Nothing for prefab id 0: it would make a bare object that never goes away.
GameObjectInterface* SpawnTimed(ObjectId prefabId, const std::string& name, const Vector3& position, float seconds);

// How many live objects have names containing the text.
int CountObjectsNamed(const std::string& text);

float DistanceSquared(const Vector3& a, const Vector3& b);
