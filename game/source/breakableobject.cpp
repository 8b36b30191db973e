#include "breakableobject.h"

#include "animatorinterface.h"
#include "audiointerface.h"
#include "colliderinterface.h"
#include "destroyafterseconds.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "objectfactoryinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

#define BREAKABLEOBJECT_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, hits, "hits", "HitsToBreak")

DEFINE_SCRIPT_PROPERTIES(BreakableObject, BREAKABLEOBJECT_PROPERTIES)

namespace
{
constexpr std::uint16_t kHitKey = 84; // T
constexpr float kSoundVolume = 0.08f;
constexpr float kDustSeconds = 3.0f;
// 1 to 4, and 5 for the top four random values.
constexpr int kHitStateSpan = 8191;
} // namespace

void BreakableObject::Reload()
{
    animator = owner->GetAnimator();
    dustPrefab = PrefabId("BreakableObject", "Dust");
}

void BreakableObject::Start()
{
    Reload();
}

void BreakableObject::Update()
{
    if (broken && AnimationEnded(animator))
    {
        vanishDelay -= gServices.dt;
        if (vanishDelay <= 0.0f)
            gServices.factory->Destroy(owner);
    }
    if (gServices.input->IsKeyTriggered(kHitKey))
        Hit();
}

void BreakableObject::Hit()
{
    if (broken)
        return;
    --hits;
    if (hits <= 0)
    {
        Break();
        return;
    }
    if (animator)
        animator->Play("Hit" + std::to_string(Random() / kHitStateSpan + 1));
    gServices.audio->PlayOneShot("sfx_BoxHit", kSoundVolume, owner->GetTransform()->GetPosition());
}

void BreakableObject::Break()
{
    broken = true;
    ColliderInterface* collider = owner->GetCollider();
    if (collider)
        collider->SetTrigger(true);
    if (animator)
        animator->Play("Break");
    const Vector3& position = owner->GetTransform()->GetPosition();
    DestroyAfterSeconds::Spawn(dustPrefab, "Dust", position, kDustSeconds);
    gServices.audio->PlayOneShot("sfx_BoxBreak", kSoundVolume, position);
    if (collider)
        collider->SetEnabled(false);
}
