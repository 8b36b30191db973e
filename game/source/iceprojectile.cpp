#include "iceprojectile.h"

#include "destroyafterseconds.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "rigidbodyinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kLaunchForce = 1000.0f;
constexpr float kImpactSeconds = 1.0f;

// What the projectile passes through: the enemies and the boss with its bombs and projectiles.
bool FliesThrough(const GameObjectInterface& other)
{
    return TagHas(other, "BossBomb") || TagHas(other, "FinalBoss") || TagHas(other, "IceProjectileBoss") ||
           other.GetScript("Turret") || other.GetScript("BossBehaviour") || other.GetScript("ChargingEnemy");
}
} // namespace

void IceProjectile::Reload()
{
    impactPrefabId = PrefabId("IceProjectile", "Impact Effect");
    // Only a projectile in flight is reloaded: it must not be thrown a second time.
    launched = true;
}

void IceProjectile::Start()
{
    Reload();
    launched = false;
}

void IceProjectile::Update()
{
    if (!launched)
    {
        if (RigidBodyInterface* body = owner->GetRigidBody())
            body->AddForce(owner->GetTransform()->GetForward() * kLaunchForce);
        launched = true;
        return;
    }
    lifetime -= gServices.dt;
    if (lifetime <= 0.0f)
        gServices.factory->Destroy(owner);
}

void IceProjectile::HitPlayer(GameObjectInterface* player)
{
    HurtPlayer(player);
    gServices.factory->Destroy(owner);
}

void IceProjectile::OnCollisionEnter(GameObjectInterface* other)
{
    if (TagHas(*other, "Player"))
        HitPlayer(other);
}

void IceProjectile::OnTriggerEnter(GameObjectInterface* other)
{
    DestroyAfterSeconds::Spawn(impactPrefabId, "Impact Effect", owner->GetTransform()->GetPosition(), kImpactSeconds);
    if (TagHas(*other, "Player"))
        HitPlayer(other);
    else if (!FliesThrough(*other))
        gServices.factory->Destroy(owner);
}
