#include "firebombbehaviour.h"

#include <algorithm>

#include "aicharacter.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kGrowth = 1.5f;
constexpr float kKnockbackDamping = 1.02f;
// Below this the character stands at the explosion's centre: it is thrown straight up.
constexpr float kNoDirection = 1e-6f;
} // namespace

void FireBombBehaviour::Reload()
{
    transform = owner->GetTransform();
    collider = owner->GetCollider();
}

void FireBombBehaviour::Start()
{
    Reload();
    timer = 0.0f;
    lifetime = 0.5f;
    pushForce = 300.0f;
    pushFactor = 1.0f;
    damage = 2;
}

void FireBombBehaviour::Update()
{
    if (timer > lifetime)
    {
        gServices.factory->Destroy(owner);
        return;
    }
    timer += gServices.dt;
    transform->SetScale(transform->GetScale() * kGrowth);
}

void FireBombBehaviour::OnTriggerEnter(GameObjectInterface* other)
{
    if (other->GetTag().starts_with("Elem"))
        return;
    AICharacter* character = ElemOf(other);
    if (!character)
        return;
    const Vector3 offset = other->GetTransform()->GetPosition() - transform->GetPosition();
    const Vector3 direction = offset.Length() < kNoDirection ? Vector3(0.0f, 1.0f, 0.0f) : offset.Normalized();
    character->Knockback(direction, pushForce, pushFactor, kKnockbackDamping);
    character->health = std::min(character->health - damage, character->maxHealth);
}
