#pragma once
#include <cstdint>
#include <string>

#include "gameobjectinterface.h"
#include "monobehaviorinterface.h"

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

class AnimatorInterface;

// Reports, on the error stream, a partner the level should hold but lacks: who looked and what is missing.
void ReportMissing(const std::string& who, const std::string& what);

// The object's script registered under a name containing the text, when it is a T; null otherwise (a
// substring match may be a script of another class). A null object has none.
template <class T>
T* ScriptOf(const GameObjectInterface* object, const std::string& name)
{
    return object ? dynamic_cast<T*>(object->GetScript(name)) : nullptr;
}

// The animator's state has played to its end frame. A missing animator counts as ended, so whatever waits
// for it goes on.
bool AnimationEnded(const AnimatorInterface* animator);
