#include "playermeleerange.h"

#include <cmath>

#include "aicharacter.h"
#include "bossswitch.h"
#include "breakableobject.h"
#include "camerascript.h"
#include "destroyafterseconds.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "objectfactoryinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kKnockbackForce = 150.0f;
constexpr float kLifetime = 0.1f;
constexpr float kReach = 1.5f;
// The knockback lifts by half the push.
constexpr float kLift = 0.5f;
constexpr float kKnockbackDuration = 0.2f;
constexpr float kKnockbackDamping = 1.02f;
// Closer than this the enemy stands straight above or below: the push goes along the player's facing.
constexpr float kShortestDistance = 1e-6f;
constexpr float kShakeStrength = 0.3f;
constexpr float kShakeSeconds = 0.2f;
constexpr float kHitEffectSeconds = 0.25f;
// rand() / 1092.23 spans 0 to 30 degrees for 15-bit numbers.
constexpr float kTiltSpan = 1092.23f;
constexpr float kTiltOffset = 15.0f;

float RandomTilt()
{
    return Random() / kTiltSpan - kTiltOffset;
}
} // namespace

void PlayerMeleeRange::Reload()
{
    transform = owner->GetTransform();
    const GameObjectInterface* player = FindObjectFor("PlayerMeleeRange", "Player");
    playerTransform = player ? player->GetTransform() : nullptr;
    cameraScript = RequiredScript<CameraScript>(FindObjectFor("PlayerMeleeRange", "Camera"));
    hitEffectPrefabId = PrefabId("PlayerMeleeRange", "Hit Effect");
}

void PlayerMeleeRange::Start()
{
    Reload();
    knockbackForce = kKnockbackForce;
    lifetime = kLifetime;
}

void PlayerMeleeRange::Update()
{
    if (playerTransform)
        transform->SetPosition(playerTransform->GetPosition() + playerTransform->GetForward() * kReach);
    lifetime -= gServices.dt;
    if (lifetime <= 0.0f)
        gServices.factory->Destroy(owner);
}

void PlayerMeleeRange::OnTriggerEnter(GameObjectInterface* other)
{
    if (TagHas(*other, "Elem"))
    {
        HitEnemy(*other);
        SpawnHitEffect(*other);
    }
    if (TagHas(*other, "Breakable"))
    {
        HitObject(*other);
        SpawnHitEffect(*other);
    }
    if (TagHas(*other, "BossSwitch"))
    {
        HitObject(*other);
        SpawnHitEffect(*other);
    }
}

void PlayerMeleeRange::HitEnemy(const GameObjectInterface& enemy)
{
    if (AICharacter* character = ElemOf(&enemy))
    {
        Vector3 away = enemy.GetTransform()->GetPosition() - transform->GetPosition();
        away.y = 0.0f;
        const float distance = away.Length();
        if (distance >= kShortestDistance)
            away /= distance;
        else
            away = playerTransform ? playerTransform->GetForward() : Vector3{};
        const Vector3 push = Vector3{away.x, kLift, away.z} * knockbackForce;
        const float magnitude = push.Length();
        character->Knockback(push / magnitude, magnitude, kKnockbackDuration, kKnockbackDamping);
        character->health = std::min(character->health - 1, character->maxHealth);
    }
    gServices.input->SetVibration(0.3f, 1.0f, 0.1f);
    if (cameraScript)
        cameraScript->Shake(kShakeSeconds, kShakeStrength);
}

void PlayerMeleeRange::HitObject(const GameObjectInterface& object)
{
    if (auto* breakable = ScriptOf<BreakableObject>(&object))
        breakable->Hit();
    if (auto* bossSwitch = ScriptOf<BossSwitch>(&object))
        bossSwitch->Hit();
    gServices.input->SetVibration(0.6f, 0.6f, 0.3f);
}

void PlayerMeleeRange::SpawnHitEffect(const GameObjectInterface& target) const
{
    GameObjectInterface* effect = DestroyAfterSeconds::Spawn(hitEffectPrefabId, "Hit Effect",
                                                              target.GetTransform()->GetPosition(), kHitEffectSeconds);
    if (effect)
        effect->GetTransform()->SetRotation({RandomTilt(), RandomTilt(), RandomTilt()});
}
