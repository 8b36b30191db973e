#pragma once
#include <string>

#include "script.h"

class FadeInFadeOut;

// Splash screen leading to the next level.
class SplashScreen : public Script<SplashScreen>
{
    SCRIPT_WITH_PROPERTIES(SplashScreen)

    std::string nextLevel;

    FadeInFadeOut* fade = nullptr;
    bool holding = false;
    bool fadingIn = false;
    bool fadingOut = false;
    float timer = 0.0f;
    float holdTime = 0.0f;
};
