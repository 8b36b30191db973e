#include "turret.h"

#include <cmath>

#include "animatorinterface.h"
#include "audiointerface.h"
#include "gameservices.h"
#include "particlesysteminterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

#define TURRET_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, range, "range", "Range") \
    PROPERTY(Class, timeBetweenShots, "timeBetweenShots", "TimeBetweenShots")

DEFINE_SCRIPT_PROPERTIES(Turret, TURRET_PROPERTIES)

namespace
{
constexpr float kFlashLead = 0.2f;
constexpr float kMuzzleDistance = 1.5f;
constexpr float kShotVolume = 0.005f;
} // namespace

void TurretFields::FindParts(const GameObjectInterface& self)
{
    transform = self.GetTransform();
    animator = self.GetAnimator();
    GameObjectInterface* player = FindObjectFor(self.GetName(), "Player");
    playerTransform = player ? player->GetTransform() : nullptr;
    projectilePrefabId = PrefabId(self.GetName(), "IceProjectile");
}

bool TurretFields::PlayerInRange() const
{
    return playerTransform && DistanceSquared(homePosition, playerTransform->GetPosition()) < rangeSquared;
}

bool TurretFields::Fire(float distance, const Vector3& rotation)
{
    if (projectilePrefabId == 0)
        return false;
    GameObjectInterface* shot =
        InstantiateAt(projectilePrefabId, "IceProjectile", homePosition + transform->GetForward() * distance);
    shot->GetTransform()->SetRotation(rotation);
    if (animator)
        animator->Play("Shoot");
    return true;
}

void Turret::Reload()
{
    FindParts(*owner);
    particles = owner->GetParticleSystem();
    homePosition = transform->GetPosition();
    rangeSquared = range * range;
    if (timeBetweenShots == 0.0f)
        timeBetweenShots = 1.0f;
}

void Turret::Start()
{
    Reload();
    shotTimer = 0.0f;
    if (particles)
        particles->Stop();
}

void Turret::Update()
{
    shotTimer += gServices.dt;
    if (!PlayerInRange())
        return;
    if (!charging && shotTimer >= timeBetweenShots - kFlashLead)
        Flash();
    if (shotTimer >= timeBetweenShots)
    {
        Shoot();
        shotTimer = 0.0f;
        charging = false;
    }
}

void Turret::Flash()
{
    if (particles)
    {
        if (particles->IsPlaying())
            particles->Stop();
        particles->Play();
    }
    charging = true;
}

void Turret::Shoot()
{
    // A loaded yaw and one handed to SetRotation turn opposite ways: the shot gets the negated yaw to fly
    // along the turret's drawn facing. 0 and 180 are their own mirror images.
    Vector3 rotation = transform->GetRotation();
    if (std::fmod(rotation.y, 180.0f) != 0.0f)
        rotation.y = -rotation.y;
    if (Fire(kMuzzleDistance, rotation))
        gServices.audio->PlayOneShot("sfx_TurretAttack", kShotVolume, transform->GetPosition());
}
