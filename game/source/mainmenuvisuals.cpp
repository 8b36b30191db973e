#include "mainmenuvisuals.h"

#define MAINMENUVISUALS_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, speed, "speed", "ScrollSpeed")

DEFINE_SCRIPT_PROPERTIES(MainMenuVisuals, MAINMENUVISUALS_PROPERTIES)
