#pragma once
#include <vector>

#include "script.h"

class GameObjectInterface;

// Scrolling background of the main menu.
class MainMenuVisuals : public Script<MainMenuVisuals>
{
    SCRIPT_WITH_PROPERTIES(MainMenuVisuals)

    float speed = 0.0f;

    // "Object 1", "Object 2", ... in number order.
    std::vector<GameObjectInterface*> scenery;
    float wrapX = 0.0f;
};
