#include "checkpoint.h"

#include "audiointerface.h"
#include "crumblingfloor.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "particlesysteminterface.h"
#include "playercontroller.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
const Vector3 kRespawnOffset{3.0f, 5.0f, 0.0f};
constexpr float kSoundVolume = 0.3f;
} // namespace

void CheckPoint::Reload()
{
    player = FindObjectFor("CheckPoint", "Player");
    floors.clear();
    for (GameObjectInterface* object : gServices.factory->GetAllObjects())
    {
        CrumblingFloor* floor = ScriptOf<CrumblingFloor>(object);
        if (floor && floor->rewind)
            floors.push_back(floor);
    }
}

void CheckPoint::Start()
{
    Reload();
    if (ParticleSystemInterface* particles = owner->GetParticleSystem())
        particles->Stop();
}

Vector3 CheckPoint::RespawnPoint() const
{
    return owner->GetTransform()->GetPosition() + kRespawnOffset;
}

void CheckPoint::Update()
{
    if (!activated)
        return;
    if (particleTimer >= particleStopInterval)
    {
        if (ParticleSystemInterface* particles = owner->GetParticleSystem())
            particles->Stop();
        particleTimer = 0.0f;
    }
    particleTimer += gServices.dt;
}

void CheckPoint::OnTriggerEnter(GameObjectInterface* other)
{
    if (!player || other != player)
        return;
    const Vector3& position = owner->GetTransform()->GetPosition();
    if (auto* controller = ScriptOf<PlayerController>(player))
        controller->respawnPoint = RespawnPoint();
    ParticleSystemInterface* particles = owner->GetParticleSystem();
    if (!particles || activated)
        return;
    particles->Play();
    gServices.audio->PlayOneShot("sfx_CheckPointSound", kSoundVolume, position);
    activated = true;
}
