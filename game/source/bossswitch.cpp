#include "bossswitch.h"

#include <algorithm>

#include "animatorinterface.h"
#include "audiointerface.h"
#include "gameservices.h"
#include "meshfilterinterface.h"
#include "meshrendererinterface.h"
#include "objectfactoryinterface.h"
#include "particlesysteminterface.h"
#include "rigidbodyinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

#define BOSSSWITCH_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, healthMax_, "healthMax_", "Health")

DEFINE_SCRIPT_PROPERTIES(BossSwitch, BOSSSWITCH_PROPERTIES)

namespace
{
constexpr int kHealth = 5;
constexpr float kShieldHeight = 2.5f;
constexpr float kMirrorDistance = 1.5f;
constexpr char kBrokenState[] = "Default5";
} // namespace

void FindPlayerAndBoss(const std::string& who, GameObjectInterface*& player, GameObjectInterface*& boss,
                       std::source_location where)
{
    player = FindObjectFor(who, "Player", where);
    boss = FindObjectFor(who, "FinalBoss", where);
}

void BossSwitch::Reload()
{
    FindPlayerAndBoss("BossSwitch", playerObject, bossObject);
    shieldPrefab = PrefabId("BossSwitch", "PillarShield");
    TakeOwnParts();
}

// A reloaded switch knows only its construction values: the parts it made and what it read of itself are found
// again, so it makes no second shield and flashes back to its own look. Start sets its own after.
void BossSwitch::TakeOwnParts()
{
    const Vector3 position = owner->GetTransform()->GetPosition();
    shield = NearestObjectNamed("PillarShield", position);
    mirror = NearestObjectNamed("Mirror_", position);
    chains = NearestObjectNamed("ParticlesChains", position);
    restRotation = owner->GetTransform()->GetRotation();
    if (const MeshRendererInterface* renderer = owner->GetMeshRenderer())
        baseMaterial = renderer->GetMaterialName(0);
    if (const ParticleSystemInterface* particles = owner->GetParticleSystem())
        baseEmissionRate = particles->GetEmissionRate();
    const AnimatorInterface* animator = owner->GetAnimator();
    broken = animator && animator->GetCurrentState() == kBrokenState;
    health = broken ? 0 : healthMax_;
}

void BossSwitch::Start()
{
    Reload();
    ParticleSystemInterface* particles = owner->GetParticleSystem();
    if (particles)
        particles->Play();
    shieldDown = false;
    broken = false;
    shield = nullptr;
    shieldTime = shieldTimer = 8.0f;
    healthMax_ = health = kHealth;

    chains = InstantiateRegistered(PrefabId("BossSwitch", "ParticlesPillarToWrapling"), "ParticlesChains");
    mirror = InstantiateRegistered(PrefabId("BossSwitch", "Mirror"), "Mirror_");
    const TransformInterface& transform = *owner->GetTransform();
    const Vector3 position = transform.GetPosition();
    if (bossObject)
    {
        Vector3 away = position - bossObject->GetTransform()->GetPosition();
        away.y += 20.0f;
        const Vector3& rotation = transform.GetRotation();
        const Vector3 facing(rotation.x - 22.5f, FacingYaw(away, rotation.y), rotation.z);
        for (const ObjectRef& made : {chains, mirror})
            if (GameObjectInterface* object = made.Get())
                object->GetTransform()->SetRotation(facing);
    }
    if (GameObjectInterface* object = chains.Get())
        object->GetTransform()->SetPosition(position + Vector3(0.0f, 4.0f, 0.0f));
    if (GameObjectInterface* object = mirror.Get())
        object->GetTransform()->SetPosition(MirrorPosition());

    flashTime = 0.4f;
    flashTimer = 0.0f;
    flashing = false;
    if (!owner->GetMeshRenderer())
        reportOnce("BossSwitch: the switch has no mesh renderer");
    if (particles)
    {
        particles->SetDuration(0.5f);
        particles->SetStartLifetime(0.5f);
        particles->SetColourMinAlpha(255.0f);
        particles->SetColourMaxAlpha(255.0f);
    }
    else
        reportOnce("BossSwitch: the switch has no particle system");

    blinkTimer = 0.0f;
    blinkInterval = 0.2f;
    lastShieldDown = shieldDown;
    SpawnShield();
    fadeTime = 8.0f;
    fadeTimer = 0.0f;
}

void BossSwitch::Update()
{
    if (!shieldDown || broken)
        UpdateShieldUp();
    else
        UpdateShieldDown();
    UpdateMirror();
    UpdateFlash();
}

void BossSwitch::UpdateShieldUp()
{
    if (broken)
        DestroyAndClear(shield);
    else if (shield)
        SetShieldVisible(true);
    else
        SpawnShield();
}

void BossSwitch::UpdateShieldDown()
{
    if (shield && shieldDown != lastShieldDown)
    {
        DestroyAndClear(shield);
        lastShieldDown = shieldDown;
    }
    if (shieldTimer <= 0.0f)
    {
        shieldDown = false;
        return;
    }
    shieldTimer -= gServices.dt;
    if (shieldTimer > shieldTime * 0.5f)
        return;
    GameObjectInterface* current = shield.Get();
    if (!current)
    {
        // The returning shield starts hidden and blinks in; until the time runs out it does not protect.
        SpawnShield();
        SetShieldVisible(false);
        shieldDown = true;
    }
    else if (blinkTimer > blinkInterval)
    {
        MeshFilterInterface* mesh = current->GetMeshFilter();
        SetShieldVisible(!(mesh && mesh->IsEnabled()));
        blinkTimer = 0.0f;
        blinkInterval *= 0.8f;
    }
    else
        blinkTimer += gServices.dt;
}

void BossSwitch::UpdateMirror()
{
    GameObjectInterface* current = mirror.Get();
    if (!current)
        return;
    if (!broken)
    {
        current->GetTransform()->SetPosition(MirrorPosition());
        return;
    }
    fadeTimer += gServices.dt;
    if (fadeTimer > fadeTime)
        DestroyAndClear(mirror);
}

void BossSwitch::UpdateFlash()
{
    if (!flashing)
        return;
    TransformInterface& transform = *owner->GetTransform();
    if (flashTimer <= 0.0f)
    {
        if (MeshRendererInterface* renderer = owner->GetMeshRenderer())
            renderer->SetMaterialName(baseMaterial, 0);
        flashing = false;
        transform.SetRotation(restRotation);
        return;
    }
    flashTimer -= gServices.dt;
    const float a = static_cast<float>(Random()) / 8191.75f - 2.0f;
    const float b = static_cast<float>(Random()) / 8191.75f - 2.0f;
    transform.SetRotation({restRotation.x + a, restRotation.y, restRotation.z + b});
}

void BossSwitch::SpawnShield()
{
    if (shield)
        return;
    GameObjectInterface* made = InstantiateRegistered(shieldPrefab, "PillarShield");
    shield = made;
    if (made)
        made->GetTransform()->SetPosition(owner->GetTransform()->GetPosition() + Vector3(0.0f, kShieldHeight, 0.0f));
    shieldDown = false;
}

void BossSwitch::SetShieldVisible(bool visible)
{
    const GameObjectInterface* current = shield.Get();
    if (MeshFilterInterface* mesh = current ? current->GetMeshFilter() : nullptr)
        mesh->SetEnabled(visible);
}

void BossSwitch::Hit()
{
    if (!shieldDown)
    {
        PlaySound("sfx_pylonHitWithShield", 0.08f);
        return;
    }
    --health;
    flashing = true;
    MeshRendererInterface* renderer = owner->GetMeshRenderer();
    if (renderer)
        renderer->SetMaterialName("red", 0);
    flashTimer = flashTime;
    // Hits after the break drive health below 0; the particles never get a negative rate or alpha.
    const float left = healthMax_ > 0 ? std::max(0.0f, static_cast<float>(health) / static_cast<float>(healthMax_))
                                      : 0.0f;
    if (ParticleSystemInterface* particles = owner->GetParticleSystem())
    {
        particles->SetEmissionRate(static_cast<int>(left * static_cast<float>(baseEmissionRate)));
        const float alpha = static_cast<float>(static_cast<int>(left * 255.0f));
        particles->SetColourMinAlpha(alpha);
        particles->SetColourMaxAlpha(alpha);
    }
    if (health > 0 || broken)
        PlaySound("sfx_pylonHit", 0.1f);
    else
        Break();
}

void BossSwitch::Break()
{
    broken = true;
    if (AnimatorInterface* animator = owner->GetAnimator())
        animator->Play(kBrokenState);
    DestroyAndClear(chains);
    if (RigidBodyInterface* body = BodyOf(mirror.Get()))
    {
        body->SetStatic(false);
        body->SetMass(1.0f);
        const float r1 = static_cast<float>(Random()) / 655.34f;
        const float r2 = static_cast<float>(Random()) / 655.34f;
        body->AddForce({30.0f + r1, 500.0f, 30.0f + r2});
    }
    else if (mirror)
        reportOnce("BossSwitch: the mirror has no rigid body");
    if (ParticleSystemInterface* particles = owner->GetParticleSystem())
        particles->Stop();
    PlaySound("sfx_pylonBreak", 0.1f);
}

void BossSwitch::BreakShield()
{
    shieldDown = true;
    blinkInterval = 0.25f;
    shieldTimer = shieldTime;
    PlaySound("sfx_SpellBreak", 0.2f);
}

void BossSwitch::OnCollisionEnter(GameObjectInterface* other)
{
    if (Contains(other->GetTag(), "Breakable"))
        gServices.factory->Destroy(other);
}

void BossSwitch::OnTriggerEnter(GameObjectInterface* other)
{
    OnCollisionEnter(other);
}

void BossSwitch::PlaySound(const std::string& name, float volume) const
{
    gServices.audio->PlayOneShot(name, volume, owner->GetTransform()->GetPosition());
}

Vector3 BossSwitch::MirrorPosition() const
{
    const TransformInterface& transform = *owner->GetTransform();
    return transform.GetPosition() + Vector3(0.0f, kShieldHeight, 0.0f) + transform.GetForward() * kMirrorDistance;
}
