#include "splashscreen.h"

#include "fadeinfadeout.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "scripthelpers.h"

#define SPLASHSCREEN_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, nextLevel, "nextLevel", "NextLevel")

DEFINE_SCRIPT_PROPERTIES(SplashScreen, SPLASHSCREEN_PROPERTIES)

namespace
{
constexpr float kHoldTime = 3.0f;
constexpr float kDurationWithoutFade = 1.0f;
} // namespace

void SplashScreen::Reload()
{
    fade = FindFade();
    ASSERT(fade, "SplashScreen. FadeLogic cannot be found");
    // The phase that ran is gone with the fade's flags; the cover comes back in, and the logo is held again
    // before the splash moves on.
    holding = true;
    fadingIn = fadingOut = false;
    holdTime = kHoldTime;
    timer = FadeDuration();
}

void SplashScreen::Start()
{
    Reload();
    holding = false;
    fadingIn = true;
    if (fade)
        fade->StartFadeIn();
}

void SplashScreen::Update()
{
    ObjectFactoryInterface& factory = *gServices.factory;
    if (IsConfirmPressed())
        factory.LoadLevel(nextLevel);
    const float dt = gServices.dt;
    if (fadingIn)
    {
        timer -= dt;
        if (timer <= 0.0f)
        {
            fadingIn = false;
            timer = FadeDuration();
            holding = true;
        }
    }
    if (!holding)
        return;
    holdTime -= dt;
    if (holdTime > 0.0f)
        return;
    if (fadingOut)
    {
        timer -= dt;
        if (timer <= 0.0f)
            factory.LoadLevel(nextLevel);
        return;
    }
    fadingOut = true;
    if (fade)
        fade->StartFadeOut();
}

float SplashScreen::FadeDuration() const
{
    return fade ? fade->duration : kDurationWithoutFade;
}
