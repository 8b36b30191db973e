#pragma once
#include <string>

#include "TorvaneMath.h"

class AnimatorInterface;
class GameObjectInterface;
class LightInterface;
class TransformInterface;

// What the scripted sequences share: the beat clock, the set-piece and the flash light, and the steps
// they take alike.
struct ScriptedSequenceFields
{
    // The player entered: the clock starts and the player cannot be hurt.
    void BeginOnPlayer(GameObjectInterface* other);
    // Finds the set-piece with its transform and animator; reported when missing.
    void FindSet(const std::string& name, const char* script);
    // Finds the flash object with its light; reported when missing.
    void FindFlash(const std::string& name, const char* script);
    // The set-piece rises and sinks with the cosine of the clock.
    void Bob() const;
    // The set-piece moves by the velocity over this frame; the distance travelled grows by the speed.
    void Travel(const Vector3& velocity);
    // Per frame, not per second.
    void GrowFlash(float intensityStep, float rangeStep) const;
    void DimFlash(float step) const;
    // A missing light reads as range 0.
    float FlashRange() const;
    void PlayOnSet(const std::string& state) const;
    // Plays the state unless the animator already reports it.
    void KeepPlaying(const std::string& state) const;
    void MoveSet(const Vector3& offset) const;
    void EndInvulnerability() const;

    bool started = false;
    float time = 0.0f;
    // The one-shot step of the current beat may still run.
    bool armed = true;
    GameObjectInterface* set = nullptr;
    TransformInterface* setTransform = nullptr;
    AnimatorInterface* setAnimator = nullptr;
    GameObjectInterface* flash = nullptr;
    LightInterface* flashLight = nullptr;
    // How fast the set-piece leaves at the end, and how far it has gone.
    float speed = 15.0f;
    float distance = 0.0f;
};

// A burst of the prefab "Green Burst" at the object, removed after 3 s; a missing object does nothing.
void GreenBurstAt(const GameObjectInterface* object);
