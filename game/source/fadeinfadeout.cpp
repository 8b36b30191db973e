#include "fadeinfadeout.h"

#include <algorithm>

#include "gameservices.h"
#include "imageinterface.h"
#include "playercontroller.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

void FadeInFadeOut::Reload()
{
    const GameObjectInterface* cover = FindObjectNamed("Fade");
    fadeImage = ImageOf(cover);
    if (fadeImage)
        fadeImage->SetAlpha(startAlpha);
    playerController = FindScript<PlayerController>("Player");
}

void FadeInFadeOut::Start()
{
    Reload();
    StartFadeIn();
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
