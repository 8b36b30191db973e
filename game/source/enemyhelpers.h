#pragma once
#include <string>

#include "TorvaneMath.h"
#include "gameobjectinterface.h"

class AICharacter;

// Lookups the enemies, hazards and puzzles share.

// The object's "Elem" script as an AI character; null for every enemy of this library.
AICharacter* ElemOf(const GameObjectInterface* object);

// The live object of that name; a missing one is reported for the looking script.
GameObjectInterface* FindObjectFor(const std::string& who, const std::string& name);
// The prefab of that name; a missing one is reported for the looking script.
GameObjectInterface* FindPrefabFor(const std::string& who, const std::string& name);

// Hurts the player through its "PlayerController"; an object without one is left alone.
void HurtPlayer(const GameObjectInterface* player);

// How many live objects have names containing the text.
int CountObjectsNamed(const std::string& text);

float DistanceSquared(const Vector3& a, const Vector3& b);
