#pragma once
#include "script.h"

class AnimatorInterface;
class ParticleSystemInterface;

// Floor that crumbles under the player and may come back.
class CrumblingFloor : public Script<CrumblingFloor>
{
    SCRIPT_WITH_PROPERTIES(CrumblingFloor)

    void Reload() override;
    void Start() override;
    // While triggered: waits out the timer, breaks, lets the player through; the key R restores it (a debug
    // shortcut).
    void Update() override;
    // A player steps on it: it starts to shake.
    void OnCollisionEnter(GameObjectInterface* other) override;
    // The gamepad rumbles while the player stands on it.
    void OnCollisionStay(GameObjectInterface* other) override;
    // Back to its first state, only for a floor that rewinds.
    void Restore();

    // Seconds from the first step to the break; 0 in a level file means 0.5.
    float timer = 0.5f;
    bool rewind = false;
    // Saved and compared; the behaviour does not use it.
    float rewindTime = 0.0f;

    AnimatorInterface* animator = nullptr;
    ParticleSystemInterface* particles = nullptr;
    float startTimer = 0.0f;
    bool triggered = false;
    bool crumbled = false;
    bool soundPlayed = false;
    float breakDelay = 0.2f;

private:
    void Crumble();
};
