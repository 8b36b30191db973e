#include "destroyafterseconds.h"

#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

#define DESTROYAFTERSECONDS_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, timer, "timer", "Timer")

DEFINE_SCRIPT_PROPERTIES(DestroyAfterSeconds, DESTROYAFTERSECONDS_PROPERTIES)

GameObjectInterface* DestroyAfterSeconds::Spawn(ObjectId prefab, const std::string& name, const Vector3& position,
                                                float seconds)
{
    GameObjectInterface* spawned = InstantiateAt(prefab, name, position);
    if (!spawned)
        return nullptr;
    auto* removal = ScriptOf<DestroyAfterSeconds>(spawned);
    if (Check(removal, name + ": its prefab has no DestroyAfterSeconds, so it stays"))
        removal->timer = seconds;
    return spawned;
}

void DestroyAfterSeconds::Update()
{
    timer -= gServices.dt;
    if (timer <= 0.0f)
        gServices.factory->Destroy(owner);
}
