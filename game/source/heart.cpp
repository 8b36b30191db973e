#include "heart.h"

#include "audiointerface.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "playerstats.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kDegreesPerSecond = 360.0f;
constexpr float kSoundVolume = 0.3f;
} // namespace

void Heart::Update()
{
    spinAngle += kDegreesPerSecond * gServices.dt;
    if (spinAngle > kDegreesPerSecond)
        spinAngle = 0.0f;
    TransformInterface& transform = *owner->GetTransform();
    const Vector3 rotation = transform.GetRotation();
    transform.SetRotation({rotation.x, spinAngle, rotation.z});
}

void Heart::OnTriggerEnter(GameObjectInterface* other)
{
    if (other->GetName() != "Player")
        return;
    auto* stats = ScriptOf<PlayerStats>(other);
    if (!Check(stats, "PlayerStats is nullptr"))
        return;
    gServices.audio->PlayOneShot("sfx_ItemPickUp", kSoundVolume, owner->GetTransform()->GetPosition());
    stats->AddHeartContainer();
    gServices.factory->Destroy(owner);
}
