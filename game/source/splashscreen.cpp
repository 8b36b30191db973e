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
}

void SplashScreen::Start()
{
    Reload();
    fadingIn = true;
    fadingOut = false;
    holdTime = kHoldTime;
    if (fade)
        fade->StartFadeIn();
    timer = FadeDuration();
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
