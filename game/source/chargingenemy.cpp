#include "chargingenemy.h"

#include "audiointerface.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "meshfilterinterface.h"
#include "particlesysteminterface.h"
#include "rigidbodyinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

#define CHARGINGENEMY_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, chargingDist_, "chargingDist_", "ChargingDistance") \
    PROPERTY(Class, chargingSpeed_, "chargingSpeed_", "ChargingSpeed") \
    PROPERTY(Class, maxTimer, "maxTimer", "MaxTimer") \
    PROPERTY(Class, timeTillRespawn_, "timeTillRespawn_", "TimeTillRespawn")

DEFINE_SCRIPT_PROPERTIES(ChargingEnemy, CHARGINGENEMY_PROPERTIES)

namespace
{
constexpr float kPushForce = 300.0f;
constexpr float kRumbleDistanceSquared = 100.0f;
constexpr float kRumble = 0.8f;
constexpr float kSpawnVolume = 0.1f;
} // namespace

void ChargingEnemy::Start()
{
    Reload();
    respawning = false;
    if (RigidBodyInterface* body = owner->GetRigidBody())
        body->SetVelocity(chargeVelocity);
}

void ChargingEnemy::Reload()
{
    // After a reload of the library the charge goes on from where it is; a vanished enemy still comes back.
    const TransformInterface& transform = *owner->GetTransform();
    homePosition = transform.GetPosition();
    chargeVelocity = transform.GetForward() * chargingSpeed_;
    pushForce = kPushForce;
    chargingDistanceSquared = chargingDist_ * chargingDist_;
    particles = owner->GetParticleSystem();
    player = FindObjectFor("ChargingEnemy", "Player");
    const MeshFilterInterface* mesh = owner->GetMeshFilter();
    respawning = mesh && !mesh->IsEnabled();
}

void ChargingEnemy::Update()
{
    if (respawning)
    {
        respawnTimer += gServices.dt;
        if (respawnTimer < timeTillRespawn_)
            return;
        Reappear();
    }
    const Vector3& position = owner->GetTransform()->GetPosition();
    if (DistanceSquared(position, homePosition) > chargingDistanceSquared)
        Vanish();
    if (player && DistanceSquared(player->GetTransform()->GetPosition(), position) < kRumbleDistanceSquared)
        gServices.input->SetVibration(kRumble, kRumble, gServices.dt);
}

void ChargingEnemy::Reappear()
{
    if (RigidBodyInterface* body = owner->GetRigidBody())
        body->SetVelocity(chargeVelocity);
    respawning = false;
    if (MeshFilterInterface* mesh = owner->GetMeshFilter())
        mesh->SetEnabled(true);
    owner->GetTransform()->SetPosition(homePosition);
    if (particles)
        particles->Play();
    gServices.audio->PlayOneShot("sfx_chargerSpawn", kSpawnVolume, homePosition);
}

void ChargingEnemy::Vanish()
{
    if (RigidBodyInterface* body = owner->GetRigidBody())
        body->SetVelocity({0.0f, 0.0f, 0.0f});
    respawning = true;
    if (MeshFilterInterface* mesh = owner->GetMeshFilter())
        mesh->SetEnabled(false);
    respawnTimer = 0.0f;
    if (particles)
        particles->Stop();
}

void ChargingEnemy::OnTriggerEnter(GameObjectInterface* other)
{
    if (other->GetName() != "Player")
        return;
    HurtPlayer(other);
    if (RigidBodyInterface* body = other->GetRigidBody())
        body->AddForce(owner->GetTransform()->GetForward() * pushForce);
}
