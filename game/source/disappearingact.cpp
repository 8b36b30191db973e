#include "disappearingact.h"

#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kNearDistanceSquared = 4000.0f;
} // namespace

void DisappearingAct::Reload()
{
    player = FindObjectFor("DisappearingAct", "Player");
    light = FindObjectNamed("light123");
}

void DisappearingAct::Start()
{
    Reload();
    nearDistanceSquared = kNearDistanceSquared;
    done = false;
}

void DisappearingAct::Update()
{
    if (done || !player)
        return;
    const Vector3 offset = player->GetTransform()->GetPosition() - owner->GetTransform()->GetPosition();
    if (offset.LengthSquared() >= nearDistanceSquared)
        return;
    done = true;
    if (GameObjectInterface* shared = light.Get())
        gServices.factory->Destroy(shared);
    gServices.factory->Destroy(owner);
}
