#include "splashscreen.h"

#define SPLASHSCREEN_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, nextLevel, "nextLevel", "NextLevel")

DEFINE_SCRIPT_PROPERTIES(SplashScreen, SPLASHSCREEN_PROPERTIES)
