#include "enemyhelpers.h"

#include "aicharacter.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "playercontroller.h"
#include "assertion.h"
#include "scriptlookup.h"

AICharacter* ElemOf(const GameObjectInterface* object)
{
    return object ? dynamic_cast<AICharacter*>(object->GetScript("Elem")) : nullptr;
}

GameObjectInterface* FindObjectFor(const std::string& who, const std::string& name)
{
    GameObjectInterface* found = gServices.factory->FindObject(name);
    ASSERT(found, who + ": no object \"" + name + "\"");
    return found;
}

GameObjectInterface* FindPrefabFor(const std::string& who, const std::string& name)
{
    GameObjectInterface* found = gServices.factory->FindPrefab(name);
    ASSERT(found, who + ": no prefab \"" + name + "\"");
    return found;
}

void HurtPlayer(const GameObjectInterface* player)
{
    if (auto* controller = ScriptOf<PlayerController>(player, "PlayerController"))
        controller->TakeDamage();
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
