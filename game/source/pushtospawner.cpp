#include "pushtospawner.h"

#include "aispawner.h"
#include "scriptlookup.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"

namespace
{
constexpr float kRadius = 20.0f;
constexpr float kInterval = 8.0f;
// Bone, bone, fire, bone, bone, fire.
constexpr std::int32_t kGymWave[] = {0, 0, 1, 0, 0, 1};
} // namespace

void PushToSpawner::Reload()
{
    spawner = nullptr;
    for (GameObjectInterface* object : gServices.factory->GetAllObjects())
        if (object->GetName() == "AISpawner1")
        {
            spawner = ScriptOf<AISpawner>(object);
            break;
        }
    if (!spawner)
        ReportAssertion("AISpawner not found in level.", __FILE__, __LINE__);
}

void PushToSpawner::Start()
{
    Reload();
    if (!spawner)
        return;
    spawner->waypointRadius = kRadius;
    spawner->activationRadius = kRadius;
    spawner->spawnInterval = kInterval;
    spawner->FindWaypoints();
    if (owner->GetName() == "GymSpawner")
        spawner->spawnRequests.insert(spawner->spawnRequests.end(), std::begin(kGymWave), std::end(kGymWave));
}
