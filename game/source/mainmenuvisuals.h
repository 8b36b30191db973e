#pragma once

#include "script.h"

// Scrolling background of the main menu.
class MainMenuVisuals : public Script<MainMenuVisuals>
{
    SCRIPT_WITH_PROPERTIES(MainMenuVisuals)

    float speed = 0.0f;
};
