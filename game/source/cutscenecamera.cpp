#include "cutscenecamera.h"

#include <algorithm>
#include <cmath>

#include "audiointerface.h"
#include "audiosourceinterface.h"
#include "camerainterface.h"
#include "camerascript.h"
#include "coreinterface.h"
#include "fadeinfadeout.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "playercontroller.h"
#include "playerstats.h"
#include "scenesteps.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

#define CUTSCENECAMERA_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, transitionIn, "transitionIn", "TransitionIn") \
    PROPERTY(Class, transitionOut, "transitionOut", "TransitionOut") \
    PROPERTY(Class, cutsceneTime, "cutsceneTime", "CutsceneTime") \
    PROPERTY(Class, nextCamera, "nextCamera", "NextCamera") \
    PROPERTY(Class, subtitleName, "subtitleName", "SubtitleName") \
    PROPERTY(Class, audioName, "audioName", "AudioName") \
    PROPERTY(Class, panning, "panning", "Panning") \
    PROPERTY(Class, panSpeed, "panSpeed", "PanSpeed") \
    PROPERTY(Class, panDirection, "panDirection", "PanDirection") \
    PROPERTY(Class, shake, "shake", "Shake") \
    PROPERTY(Class, shakeAmount, "shakeAmount", "ShakeAmount")

DEFINE_SCRIPT_PROPERTIES(CutsceneCamera, CUTSCENECAMERA_PROPERTIES)

namespace
{
constexpr float kVoiceVolume = 0.05f;
} // namespace

void CutsceneCamera::Reload()
{
    transform = owner->GetTransform();
    fade = FindFade();
    if (fade)
        endTimer = fade->duration;
    playerController = FindPlayerController();
    playerStats = FindPlayerStats();
    frame1 = FindImage("Frame 1");
    frame2 = FindImage("Frame 2");
    subtitle = FindImage("Subtitle");
    ASSERT(playerController && playerStats, "CutsceneCamera. Missing Player with PlayerController and PlayerStats");
    ASSERT(frame1 && frame2 && subtitle, "CutsceneCamera. Missing Frame 1, Frame 2 or Subtitle");
    // A shot reloaded while it pans goes on from where the camera is.
    basePosition = transform->GetPosition();
    panStep = panDirection * (panSpeed * gServices.dt);
    hasNext = !nextCamera.empty();
}

void CutsceneCamera::Start()
{
    Reload();
    SetImageMaterial(subtitle, SubtitleMaterial());
    SetBars(0.0f);
}

void CutsceneCamera::Activate()
{
    if (playerController)
    {
        playerController->playerState = PlayerController::kIdle;
        playerController->hasInput = false;
        playerController->currentSpeed = 0.0f;
        playerController->busy = true;
    }
    SetImageMaterial(subtitle, SubtitleMaterial());
    if (fade)
        fade->holdPlayer = true;
    if (transitionIn)
    {
        if (fade)
        fade->StartFadeIn();
        SetImageAlpha(subtitle, 0.0f);
    }
    else
        SetBars(1.0f);
    active = true;
    if (GameObjectInterface* hud = FindObjectNamed("InGameHUD"))
        hud->SetActive(false);
    if (audioName.empty())
        return;
    const GameObjectInterface* player = FindObjectNamed("Player");
    gServices.audio->PlayOneShot(audioName, kVoiceVolume, player ? player->GetTransform()->GetPosition() : Vector3());
}

void CutsceneCamera::Update()
{
    if (!active)
        return;
    if (CameraInterface* camera = owner->GetCamera())
        camera->SetViewDirty(true);
    if (!ending)
        MoveBars(1.0f);
    if (panning)
    {
        basePosition += panStep;
        transform->SetPosition(basePosition);
    }
    if (shake)
        Shake();
    if (!Ended())
        return;
    if (hasNext)
        HandOver();
    else
        BackToPlay();
    active = false;
}

std::string CutsceneCamera::SubtitleMaterial() const
{
    return subtitleName.empty() ? "BlackMaterial" : subtitleName;
}

void CutsceneCamera::Shake()
{
    // A point on the sphere of radius shakeAmount; the angle is drawn first.
    const float theta = static_cast<float>(Random()) / 5215.03f;
    const float height = static_cast<float>(Random()) / 16383.5f - 1.0f;
    const float radius = std::sqrt(std::max(0.0f, 1.0f - height * height));
    const Vector3 offset{radius * std::cos(theta), radius * std::sin(theta), height};
    transform->SetPosition(basePosition + offset * shakeAmount);
}

bool CutsceneCamera::Ended()
{
    const float dt = gServices.dt;
    if (IsConfirmPressed())
        cutsceneTime = 0.0f;
    cutsceneTime -= dt;
    if (cutsceneTime > 0.0f)
        return false;
    if (!ending)
    {
        ending = true;
        if (fade)
            fade->holdPlayer = false;
        if (transitionOut)
        {
            if (fade)
        fade->StartFadeOut();
            return false;
        }
        endTimer = 0.0f;
        if (!hasNext)
            SetBars(0.0f);
        return false;
    }
    endTimer -= dt;
    MoveBars(0.0f);
    return endTimer <= 0.0f;
}

void CutsceneCamera::HandOver() const
{
    GameObjectInterface* next = FindObjectNamed(nextCamera);
    if (!Check(next, "CutsceneCamera. Missing NextCamera " + nextCamera))
        return;
    if (auto* shot = ScriptOf<CutsceneCamera>(next))
        shot->Activate();
    gServices.core->SetMainCamera(next->GetID());
}

void CutsceneCamera::BackToPlay() const
{
    const GameObjectInterface* camera = FindObjectNamed("Camera");
    if (!Check(camera, "CutsceneCamera. Missing Camera"))
        return;
    if (transitionOut)
        if (fade)
        fade->StartFadeIn();
    gServices.core->SetMainCamera(camera->GetID());
    if (auto* cameraScript = ScriptOf<CameraScript>(camera))
        cameraScript->suspended = false;
    if (playerController)
        playerController->busy = false;
    if (playerStats)
        playerStats->invulnerable = false;
    if (AudioSourceInterface* music = FindAudioSource("Cutscene BGM"))
        music->Fade(false);
    FadeLevelMusic(true);
    if (GameObjectInterface* hud = FindObjectNamed("InGameHUD"))
        hud->SetActive(true);
}

void CutsceneCamera::MoveBars(float target) const
{
    const float step = gServices.dt;
    MoveImageAlpha(frame1, target, step);
    MoveImageAlpha(frame2, target, step);
    MoveImageAlpha(subtitle, target, step);
}

void CutsceneCamera::SetBars(float alpha) const
{
    SetImageAlpha(frame1, alpha);
    SetImageAlpha(frame2, alpha);
    SetImageAlpha(subtitle, alpha);
}
