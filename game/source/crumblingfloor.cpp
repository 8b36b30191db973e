#include "crumblingfloor.h"

#include "animatorinterface.h"
#include "audiointerface.h"
#include "colliderinterface.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "meshfilterinterface.h"
#include "particlesysteminterface.h"
#include "scripthelpers.h"
#include "transforminterface.h"

#define CRUMBLINGFLOOR_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, timer, "timer", "Timer") \
    PROPERTY(Class, rewind, "rewind", "Rewind") \
    PROPERTY(Class, rewindTime, "rewindTime", "TimeToRewind")

DEFINE_SCRIPT_PROPERTIES(CrumblingFloor, CRUMBLINGFLOOR_PROPERTIES)

namespace
{
constexpr std::uint16_t kRestoreKey = 82; // R
constexpr float kDefaultTimer = 0.5f;
constexpr float kBreakDelay = 0.2f;
constexpr float kSoundVolume = 0.2f;
constexpr float kRumble = 0.8f;

void PlayUnlessCurrent(AnimatorInterface* animator, const std::string& state)
{
    if (animator && animator->GetCurrentState() != state)
        animator->Play(state);
}
} // namespace

void CrumblingFloor::Reload()
{
    animator = owner->GetAnimator();
    particles = owner->GetParticleSystem();
}

void CrumblingFloor::Start()
{
    Reload();
    if (timer == 0.0f)
        timer = kDefaultTimer;
    startTimer = timer;
    if (particles)
        particles->Stop();
}

void CrumblingFloor::OnCollisionEnter(GameObjectInterface* other)
{
    if (!TagHas(*other, "Player"))
        return;
    PlayUnlessCurrent(animator, "Shake");
    if (particles)
        particles->Play();
    gServices.audio->PlayOneShot("sfx_GroundShake", kSoundVolume, owner->GetTransform()->GetPosition());
    triggered = true;
}

void CrumblingFloor::OnCollisionStay(GameObjectInterface* other)
{
    if (TagHas(*other, "Player"))
        gServices.input->SetVibration(kRumble, kRumble, gServices.dt);
}

void CrumblingFloor::Update()
{
    if (!triggered)
        return;
    timer -= gServices.dt;
    if (timer > 0.0f && !crumbled)
        return;
    if (timer <= 0.0f)
        crumbled = true;
    Crumble();
    if (gServices.input->IsKeyTriggered(kRestoreKey))
        Restore();
}

void CrumblingFloor::Crumble()
{
    PlayUnlessCurrent(animator, "Break");
    if (AnimationEnded(animator))
        if (MeshFilterInterface* mesh = owner->GetMeshFilter())
            mesh->SetEnabled(false);
    breakDelay -= gServices.dt;
    if (breakDelay > 0.0f)
        return;
    if (ColliderInterface* collider = owner->GetCollider())
        collider->SetTrigger(true);
    if (!soundPlayed)
    {
        gServices.audio->PlayOneShot("sfx_GroundBreaking", kSoundVolume, owner->GetTransform()->GetPosition());
        soundPlayed = true;
    }
}

void CrumblingFloor::Restore()
{
    if (!rewind)
        return;
    triggered = false;
    crumbled = false;
    soundPlayed = false;
    if (ColliderInterface* collider = owner->GetCollider())
        collider->SetTrigger(false);
    timer = startTimer;
    breakDelay = kBreakDelay;
    if (MeshFilterInterface* mesh = owner->GetMeshFilter())
        mesh->SetEnabled(true);
    if (animator)
        animator->Play("Idle");
    if (particles)
        particles->Stop();
}
