#include "creditsrolling.h"

#include "fadeinfadeout.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "recttransforminterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

#define CREDITSROLLING_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, speed, "speed", "Speed")

DEFINE_SCRIPT_PROPERTIES(CreditsRolling, CREDITSROLLING_PROPERTIES)

namespace
{
constexpr float kHurriedSpeed = 5.0f;
} // namespace

void CreditsRolling::Reload()
{
    panels = NumberedObjects("Panel");
    fade = FindFade();
}

void CreditsRolling::Start()
{
    Reload();
    if (fade)
        fade->StartFadeIn();
}

void CreditsRolling::Update()
{
    if (rolling)
    {
        if (IsConfirmPressed())
            speed = kHurriedSpeed;
        if (Roll())
        {
            rolling = false;
            ending = true;
        }
    }
    if (!ending)
        return;
    if (!fadeStarted)
    {
        fadeStarted = true;
        if (fade)
            fade->StartFadeOut();
    }
    endDelay -= gServices.dt;
    if (endDelay <= 0.0f)
        gServices.factory->LoadLevel("MainMenuLevel");
}

bool CreditsRolling::Roll()
{
    const RectTransformInterface* last = nullptr;
    for (const GameObjectInterface* panel : panels)
    {
        RectTransformInterface* rect = panel->GetRectTransform();
        if (rect)
            rect->SetPosition(rect->GetPosition() + Vector3(0.0f, speed, 0.0f));
        last = rect;
    }
    return !last || last->GetPosition().y >= 0.0f;
}
