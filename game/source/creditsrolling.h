#pragma once
#include <vector>

#include "script.h"

class GameObjectInterface;
class FadeInFadeOut;

// Rolling credits.
class CreditsRolling : public Script<CreditsRolling>
{
    SCRIPT_WITH_PROPERTIES(CreditsRolling)

    float speed = 0.0f;

    // "Panel1", "Panel2", ... in number order.
    std::vector<GameObjectInterface*> panels;
    FadeInFadeOut* fade = nullptr;
    bool rolling = true;
    bool ending = false;
    bool fadeStarted = false;
    float endDelay = 1.5f;
};
