#include "enemyhelpers.h"

#include "aicharacter.h"
#include "assertion.h"
#include "destroyafterseconds.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "playercontroller.h"
#include "transforminterface.h"

AICharacter* ElemOf(const GameObjectInterface* object)
{
    return object ? dynamic_cast<AICharacter*>(object->GetScript("Elem")) : nullptr;
}

GameObjectInterface* FindRequired(const std::string& name)
{
    GameObjectInterface* found = gServices.factory->FindObject(name);
    if (!found)
        ReportAssertion("Missing object " + name, __FILE__, __LINE__);
    return found;
}

GameObjectInterface* FindRequiredPrefab(const std::string& name)
{
    GameObjectInterface* prefab = gServices.factory->FindPrefab(name);
    if (!prefab)
        ReportAssertion("Missing prefab " + name, __FILE__, __LINE__);
    return prefab;
}

ObjectId FindPrefabId(const std::string& name)
{
    const GameObjectInterface* prefab = FindRequiredPrefab(name);
    return prefab ? prefab->GetID() : 0;
}

void HurtPlayer(const GameObjectInterface* player)
{
    if (auto* controller = ScriptAs<PlayerController>(player, "PlayerController"))
        controller->TakeDamage();
}

GameObjectInterface* SpawnTimed(ObjectId prefabId, const std::string& name, const Vector3& position, float seconds)
{
    if (prefabId == 0)
        return nullptr;
    ObjectFactoryInterface& factory = *gServices.factory;
    GameObjectInterface* spawned = factory.Instantiate(name, prefabId);
    factory.Register(spawned);
    spawned->GetTransform()->SetPosition(position);
    if (auto* timed = ScriptAs<DestroyAfterSeconds>(spawned, "DestroyAfterSeconds"))
        timed->timer = seconds;
    return spawned;
}

int CountObjectsNamed(const std::string& text)
{
    int count = 0;
    for (const GameObjectInterface* object : gServices.factory->GetAllObjects())
        if (object->GetName().find(text) != std::string::npos)
            ++count;
    return count;
}

float DistanceSquared(const Vector3& a, const Vector3& b)
{
    return (a - b).LengthSquared();
}
