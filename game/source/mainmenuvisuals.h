#pragma once
#include <vector>

#include "script.h"

class GameObjectInterface;

// Scrolling backdrop of the main menu: the player runs while the scenery passes and wraps around.
class MainMenuVisuals : public Script<MainMenuVisuals>
{
    SCRIPT_WITH_PROPERTIES(MainMenuVisuals)

    void Start() override;
    // Takes the scenery; it wraps back to where the hindmost piece stands.
    void Reload() override;
    void Update() override;

    float speed = 0.0f;

    // "Object 1", "Object 2", ... in number order.
    std::vector<GameObjectInterface*> scenery;
    float wrapX = 0.0f;
};
