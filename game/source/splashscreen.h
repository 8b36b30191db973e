#pragma once
#include <string>

#include "script.h"

class FadeInFadeOut;

// Splash screen leading to the next level: fade in, hold, fade out; any confirm skips.
class SplashScreen : public Script<SplashScreen>
{
    SCRIPT_WITH_PROPERTIES(SplashScreen)

    void Reload() override;
    void Start() override;
    void Update() override;

    std::string nextLevel;

    FadeInFadeOut* fade = nullptr;
    bool holding = false;
    bool fadingIn = false;
    bool fadingOut = false;
    float timer = 0.0f;
    float holdTime = 3.0f;

private:
    // The fade's duration; a splash without a fade runs its phases at 1 s.
    float FadeDuration() const;
};
