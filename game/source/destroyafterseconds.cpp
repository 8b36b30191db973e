#include "destroyafterseconds.h"

#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "scripthelpers.h"
#include "transforminterface.h"

#define DESTROYAFTERSECONDS_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, timer, "timer", "Timer")

DEFINE_SCRIPT_PROPERTIES(DestroyAfterSeconds, DESTROYAFTERSECONDS_PROPERTIES)

ObjectId DestroyAfterSeconds::PrefabId(const std::string& who, const std::string& prefab)
{
    const GameObjectInterface* found = gServices.factory->FindPrefab(prefab);
    if (!found)
    {
        ReportMissing(who, "prefab \"" + prefab + "\"");
        return 0;
    }
    return found->GetID();
}

GameObjectInterface* DestroyAfterSeconds::Spawn(ObjectId prefab, const std::string& name, const Vector3& position,
                                                float seconds)
{
    if (prefab == 0)
        return nullptr;
    ObjectFactoryInterface& factory = *gServices.factory;
    GameObjectInterface* spawned = factory.Instantiate(name, prefab);
    factory.Register(spawned);
    spawned->GetTransform()->SetPosition(position);
    if (auto* removal = ScriptOf<DestroyAfterSeconds>(spawned, "DestroyAfterSeconds"))
        removal->timer = seconds;
    else
        ReportMissing(name, "its DestroyAfterSeconds script; it stays");
    return spawned;
}

void DestroyAfterSeconds::Update()
{
    timer -= gServices.dt;
    if (timer <= 0.0f)
        gServices.factory->Destroy(owner);
}
