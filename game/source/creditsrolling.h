#pragma once
#include <vector>

#include "script.h"

class GameObjectInterface;
class FadeInFadeOut;

// Rolling end credits: the panels scroll up until the last has arrived, then the main menu loads.
class CreditsRolling : public Script<CreditsRolling>
{
    SCRIPT_WITH_PROPERTIES(CreditsRolling)

    void Reload() override;
    void Start() override;
    void Update() override;

    // Per frame, not per second.
    float speed = 0.0f;

    // "Panel1", "Panel2", ... in number order.
    std::vector<GameObjectInterface*> panels;
    FadeInFadeOut* fade = nullptr;
    bool rolling = true;
    bool ending = false;
    bool fadeStarted = false;
    float endDelay = 1.5f;

private:
    // Moves every panel up; true once the last one has arrived (at once without panels).
    bool Roll();
};
