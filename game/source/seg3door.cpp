#include "seg3door.h"

#include "colliderinterface.h"
#include "gameservices.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kRiseSpeed = 10.0f;
} // namespace

void Seg3Door::Reload()
{
    enemiesLeft += CountObjectsNamed("BoneElem");
    transform = owner->GetTransform();
}

void Seg3Door::Start()
{
    Reload();
}

void Seg3Door::Update()
{
    enemiesLeft = CountObjectsNamed("BoneElem");
    if (enemiesLeft > 0)
        return;
    if (ColliderInterface* collider = owner->GetCollider())
        collider->SetTrigger(true);
    if (riseTime > 0.0f)
    {
        transform->SetPosition(transform->GetPosition() + Vector3(0.0f, kRiseSpeed * gServices.dt, 0.0f));
        riseTime -= gServices.dt;
    }
}
