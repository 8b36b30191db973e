#pragma once
#include <cstdint>
#include <string>

#include "gameobjectinterface.h"
#include "TorvaneMath.h"

class AnimatorInterface;

// The one confirm input of menus and cutscenes: Enter, Space, the left mouse button or gamepad A went down
// this frame.
bool IsConfirmPressed();

// Sine of a whole number of degrees, from a table of 91 values rounded to six decimals.
float SinDegrees(int degrees);

// The scripts' random numbers, 0 to kRandomMax whatever the C library's range: the gameplay formulas are
// written for that range (a shake of Random() / 16383.5 - 1 stays within -1..1).
inline constexpr int kRandomMax = 32767;
int Random();
// The library seeds once at load; tests seed for repeatable runs.
void SeedRandom(std::uint32_t seed);

// The animator's state has played to its end frame. A missing animator counts as ended, so whatever waits
// for it goes on.
bool AnimationEnded(const AnimatorInterface* animator);

// The id of the prefab of that name; 0, reported for the script that looks, when the level has none.
ObjectId PrefabId(const std::string& who, const std::string& prefab);

// A registered instance of the prefab with that id, named and placed. A prefab id of 0 (a prefab the level
// lacks, reported where it was looked up) makes nothing: the factory would make a bare object.
GameObjectInterface* InstantiateAt(ObjectId prefab, const std::string& name, const Vector3& position);
