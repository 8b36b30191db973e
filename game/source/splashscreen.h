#pragma once
#include <string>

#include "script.h"

// Splash screen leading to the next level.
class SplashScreen : public Script<SplashScreen>
{
    SCRIPT_WITH_PROPERTIES(SplashScreen)

    std::string nextLevel;
};
