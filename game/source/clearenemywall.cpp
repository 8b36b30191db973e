#include "clearenemywall.h"

#include <algorithm>

#include "audiointerface.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "transforminterface.h"

namespace
{
constexpr float kDoorVolume = 0.5f;
} // namespace

void OpenEnemyWall(GameObjectInterface& wall)
{
    gServices.audio->PlayOneShot("sfx_dooropen", kDoorVolume, wall.GetTransform()->GetPosition());
    gServices.factory->Destroy(&wall);
}

void ClearEnemyWall::Update()
{
    const ObjectFactoryInterface& factory = *gServices.factory;
    if (std::ranges::none_of(guardIds, [&](std::uint64_t id) { return factory.FindObjectById(id); }))
        OpenEnemyWall(*owner);
}
