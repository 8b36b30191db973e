#include "levelswitcher.h"

#include "audiointerface.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"

void LevelSwitcher::OnTriggerEnter(GameObjectInterface* other)
{
    if (other->GetName() != "Player")
        return;
    triggered = true;
    // Without a fade the timer stays 0: the level changes at the next update.
    FadeInFadeOut* fade = FindFade();
    if (!fade)
        return;
    timer = fade->duration;
    fade->StartFadeOut();
}

void LevelSwitcher::Update()
{
    if (!triggered)
        return;
    timer -= gServices.dt;
    if (timer > 0.0f)
        return;
    gServices.audio->StopAll();
    gServices.factory->LoadLevel(owner->GetName());
}
