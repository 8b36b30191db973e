#pragma once
#include "script.h"

class ImageInterface;
class PlayerController;

// Screen fade in and out.
class FadeInFadeOut : public Script<FadeInFadeOut>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;

    // What every caller writes to start a fade: the timer at the duration and both flags.
    void StartFadeIn();
    void StartFadeOut();
    bool IsRunning() const { return fadingIn || fadingOut; }

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

private:
    void ResumeFadeIn(float alpha);
    void LockPlayer();
    // Counts the timer down and answers the share of the fade still to run, 1 at its start, 0 at its end.
    float Advance();
};

// The level's fade: the "FadeInFadeOut" script of "FadeLogic"; null when either is missing.
FadeInFadeOut* FindFade();
