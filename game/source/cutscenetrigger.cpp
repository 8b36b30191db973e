#include "cutscenetrigger.h"

#include "audiosourceinterface.h"
#include "camerascript.h"
#include "coreinterface.h"
#include "cutscenecamera.h"
#include "fadeinfadeout.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "playerstats.h"
#include "scenesteps.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

#define CUTSCENETRIGGER_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, cameraName, "cameraName", "CameraName")

DEFINE_SCRIPT_PROPERTIES(CutsceneTrigger, CUTSCENETRIGGER_PROPERTIES)

void CutsceneTrigger::Reload()
{
    camera = FindScript<CutsceneCamera>(cameraName);
    playerStats = FindPlayerStats();
}

void CutsceneTrigger::Start()
{
    Reload();
    // Without its shot nothing would hand the camera and the player back.
    if (Check(camera, "CutsceneTrigger. Missing CutsceneCamera on " + cameraName))
        transition = camera->transitionIn;
}

void CutsceneTrigger::OnTriggerEnter(GameObjectInterface* other)
{
    if (!camera || !Contains(other->GetName(), "Player"))
        return;
    FadeInFadeOut* fade = FindFade();
    if (!fade)
        return;
    triggered = true;
    timer = 0.0f;
    if (transition)
    {
        timer = fade->duration;
        if (fade)
        fade->StartFadeOut();
    }
    if (auto* cameraScript = FindScript<CameraScript>("Camera"))
        cameraScript->suspended = true;
    if (playerStats)
        playerStats->invulnerable = true;
    FadeLevelMusic(false);
}

void CutsceneTrigger::Update()
{
    if (!triggered)
        return;
    timer -= gServices.dt;
    if (timer > 0.0f)
        return;
    triggered = false;
    camera->Activate();
    gServices.core->SetMainCamera(camera->owner->GetID());
    if (AudioSourceInterface* music = FindAudioSource("Cutscene BGM"))
    {
        music->SetClip("CutScene_BGM");
        music->Play();
        music->Fade(true);
    }
    gServices.factory->Destroy(owner);
}
