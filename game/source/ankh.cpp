#include "ankh.h"

#include <algorithm>

#include "animatorinterface.h"
#include "audiointerface.h"
#include "colliderinterface.h"
#include "gameservices.h"
#include "meshfilterinterface.h"
#include "meshrendererinterface.h"
#include "objectfactoryinterface.h"
#include "particlesysteminterface.h"
#include "playerstats.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
// Close to the mean of the sine over a quarter turn, so a period's steps add up to almost nothing.
constexpr float kBobMean = 0.64f;
constexpr float kBobStep = 0.008f;
constexpr float kPickupVolume = 0.05f;
constexpr float kDoorVolume = 0.2f;

void SetRendererEnabled(const GameObjectInterface& object, bool enabled)
{
    if (MeshRendererInterface* renderer = object.GetMeshRenderer())
        renderer->SetEnabled(enabled);
}

void SetColliderEnabled(const GameObjectInterface& object, bool enabled)
{
    if (ColliderInterface* collider = object.GetCollider())
        collider->SetEnabled(enabled);
}
} // namespace

void Ankh::Reload()
{
    ankhDoor = FindObjectNamed("ankhdoor");
}

void Ankh::Start()
{
    Reload();
    if (GameObjectInterface* door = ankhDoor.Get())
        SetRendererEnabled(*door, true);
    SetRendererEnabled(*owner, true);
    SetColliderEnabled(*owner, true);
    doorOpening = false;
}

void Ankh::Update()
{
    Bob();
    if (!doorOpening)
        return;
    doorTimer -= gServices.dt;
    if (doorTimer > 0.0f)
        return;
    if (GameObjectInterface* door = ankhDoor.Get())
    {
        SetRendererEnabled(*door, false);
        gServices.factory->Destroy(door);
    }
    doorOpening = false;
}

void Ankh::Bob()
{
    bobTime += gServices.dt;
    const int degrees = static_cast<int>(std::clamp(bobTime / bobPeriod, 0.0f, 1.0f) * 90.0f);
    TransformInterface& transform = *owner->GetTransform();
    Vector3 position = transform.GetPosition();
    position.y += (SinDegrees(degrees) - kBobMean) * kBobStep;
    transform.SetPosition(position);
    if (bobTime >= bobPeriod)
        bobTime = 0.0f;
}

void Ankh::OnTriggerEnter(GameObjectInterface* other)
{
    if (other->GetName() != "Player")
        return;
    SetRendererEnabled(*owner, false);
    if (ParticleSystemInterface* particles = owner->GetParticleSystem())
        particles->Stop();
    gServices.audio->PlayOneShot("sfx_ItemPickUp", kPickupVolume, owner->GetTransform()->GetPosition());
    SetColliderEnabled(*owner, false);
    if (ScriptOf<PlayerStats>(other))
    {
        PlayerStats::SetUnlockedMelee(true);
        if (MeshFilterInterface* mesh = other->GetMeshFilter())
            mesh->SetMeshName("MainCharacter");
    }
    if (const GameObjectInterface* door = ankhDoor.Get())
        BreakDoors(door->GetName());
}

void Ankh::BreakDoors(const std::string& name)
{
    for (GameObjectInterface* door : gServices.factory->GetAllObjects())
    {
        if (door->GetName() != name)
            continue;
        if (AnimatorInterface* animator = door->GetAnimator())
            animator->Play("Break");
        gServices.audio->PlayOneShot("sfx_DoorCrumble", kDoorVolume, door->GetTransform()->GetPosition());
        if (ColliderInterface* collider = door->GetCollider())
            collider->SetTrigger(true);
    }
    doorOpening = true;
}
