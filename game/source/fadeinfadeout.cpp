#include "fadeinfadeout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gameservices.h"
#include "imageinterface.h"
#include "playercontroller.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

void FadeInFadeOut::Reload()
{
    const GameObjectInterface* cover = FindObjectNamed("Fade");
    fadeImage = ImageOf(cover);
    playerController = FindScript<PlayerController>("Player");
    // A fade that ran at a reload is gone with its flags, and whoever waited for it to end has lost its wait
    // too: the scene comes back from where the cover stands rather than staying covered.
    if (fadeImage && fadeImage->GetAlpha() > 0.0f)
        ResumeFadeIn(fadeImage->GetAlpha());
}

void FadeInFadeOut::Start()
{
    Reload();
    if (fadeImage)
        fadeImage->SetAlpha(startAlpha);
    StartFadeIn();
}

void FadeInFadeOut::ResumeFadeIn(float alpha)
{
    StartFadeIn();
    // The fade-in's alpha is the sine of the share left times 90 degrees.
    timer = duration * std::asin(std::min(alpha, 1.0f)) / (std::numbers::pi_v<float> * 0.5f);
}

void FadeInFadeOut::StartFadeIn()
{
    timer = duration;
    fadingIn = true;
    fadingOut = false;
}

void FadeInFadeOut::StartFadeOut()
{
    timer = duration;
    fadingIn = false;
    fadingOut = true;
}

void FadeInFadeOut::Update()
{
    // Without the cover the timers still run, so whoever waits on the flags sees the fade end.
    if (fadeImage)
        LockPlayer();
    if (fadingIn)
    {
        const float left = Advance();
        if (fadeImage)
            fadeImage->SetAlpha(SinDegrees(static_cast<int>(left * 90.0f)));
        if (timer <= 0.0f)
            fadingIn = false;
    }
    if (fadingOut)
    {
        const float left = Advance();
        if (fadeImage)
            fadeImage->SetAlpha(SinDegrees(90 + static_cast<int>(left * 90.0f)));
        if (timer <= 0.0f)
            fadingOut = false;
    }
}

void FadeInFadeOut::LockPlayer()
{
    if (!playerController)
        return;
    if (IsRunning())
        playerController->busy = true;
    else if (!holdPlayer)
        playerController->busy = false;
}

float FadeInFadeOut::Advance()
{
    timer -= gServices.dt;
    // A duration of 0 would divide to NaN, which has no whole degree.
    return duration > 0.0f ? std::clamp(timer / duration, 0.0f, 1.0f) : 0.0f;
}

FadeInFadeOut* FindFade()
{
    return FindScript<FadeInFadeOut>("FadeLogic");
}
