#pragma once
#include "script.h"

class ImageInterface;
class PlayerController;

// Screen fade in and out.
class FadeInFadeOut : public Script<FadeInFadeOut>
{
public:
    // Null when the level has no "Fade" object.
    ImageInterface* fadeImage = nullptr;
    float timer = 0.0f;
    // Callers start a fade by writing both flags: in = (true, false), out = (false, true).
    bool fadingIn = false;
    bool fadingOut = false;
    float duration = 1.0f;
    float startAlpha = 1.0f;
    PlayerController* playerController = nullptr;
    // Keeps the player locked after a fade ends; cutscene cameras set it.
    bool holdPlayer = false;
};
