#include "scriptlookup.h"

#include <unordered_map>

#include "aicharacter.h"
#include "assertion.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "playercontroller.h"
#include "scripthelpers.h"
#include "transforminterface.h"

namespace
{
void Report(const std::string& message, std::source_location where)
{
    ReportAssertion(message, where.file_name(), static_cast<int>(where.line()));
}
} // namespace

GameObjectInterface* FindObjectNamed(const std::string& name)
{
    return gServices.factory ? gServices.factory->FindObject(name) : nullptr;
}

GameObjectInterface* FindObjectFor(const std::string& who, const std::string& name, std::source_location where)
{
    GameObjectInterface* found = FindObjectNamed(name);
    if (!found)
        Report(who + ": no object \"" + name + "\"", where);
    return found;
}

GameObjectInterface* FindPrefabFor(const std::string& who, const std::string& name, std::source_location where)
{
    GameObjectInterface* found = gServices.factory ? gServices.factory->FindPrefab(name) : nullptr;
    if (!found)
        Report(who + ": no prefab \"" + name + "\"", where);
    return found;
}

ObjectId PrefabId(const std::string& who, const std::string& name, std::source_location where)
{
    const GameObjectInterface* prefab = FindPrefabFor(who, name, where);
    return prefab ? prefab->GetID() : 0;
}

void ReportMissingScript(const GameObjectInterface& object, const std::string& scriptName, std::source_location where)
{
    Report('"' + object.GetName() + "\" has no " + scriptName + " script", where);
}

AICharacter* ElemOf(const GameObjectInterface* object)
{
    return ScriptOf<AICharacter>(object);
}

void HurtPlayer(const GameObjectInterface* player)
{
    if (auto* controller = ScriptOf<PlayerController>(player))
        controller->TakeDamage();
}

AudioSourceInterface* AudioOf(const GameObjectInterface* object)
{
    return object ? object->GetAudioSource() : nullptr;
}

RigidBodyInterface* BodyOf(const GameObjectInterface* object)
{
    return object ? object->GetRigidBody() : nullptr;
}

ImageInterface* ImageOf(const GameObjectInterface* object)
{
    return object ? object->GetImage() : nullptr;
}

LightInterface* LightOf(const GameObjectInterface* object)
{
    return object ? object->GetLight() : nullptr;
}

MeshRendererInterface* RendererOf(const GameObjectInterface* object)
{
    return object ? object->GetMeshRenderer() : nullptr;
}

ParticleSystemInterface* ParticlesOf(const GameObjectInterface* object)
{
    return object ? object->GetParticleSystem() : nullptr;
}

std::vector<GameObjectInterface*> NumberedObjects(const std::string& prefix)
{
    std::vector<GameObjectInterface*> found;
    if (!gServices.factory)
        return found;
    // The first object of each name, as FindObject answers.
    std::unordered_map<std::string, GameObjectInterface*> byName;
    for (GameObjectInterface* object : gServices.factory->GetAllObjects())
        byName.emplace(object->GetName(), object);
    for (auto next = byName.find(prefix + "1"); next != byName.end();
         next = byName.find(prefix + std::to_string(found.size() + 1)))
        found.push_back(next->second);
    return found;
}

GameObjectInterface* NearestObjectNamed(const std::string& name, const Vector3& point)
{
    GameObjectInterface* nearest = nullptr;
    float nearestDistance = 0.0f;
    if (!gServices.factory)
        return nearest;
    for (GameObjectInterface* object : gServices.factory->GetAllObjects())
    {
        if (object->GetName() != name)
            continue;
        const float distance = DistanceSquared(object->GetTransform()->GetPosition(), point);
        if (!nearest || distance < nearestDistance)
        {
            nearest = object;
            nearestDistance = distance;
        }
    }
    return nearest;
}

int CountObjectsNamed(const std::string& text)
{
    int count = 0;
    if (gServices.factory)
        for (const GameObjectInterface* object : gServices.factory->GetAllObjects())
            if (Contains(object->GetName(), text))
                ++count;
    return count;
}

GameObjectInterface* InstantiateRegistered(ObjectId prefab, const std::string& name)
{
    if (prefab == 0 || !gServices.factory)
        return nullptr;
    GameObjectInterface* made = gServices.factory->Instantiate(name, prefab);
    if (made)
        gServices.factory->Register(made);
    return made;
}

GameObjectInterface* InstantiateAt(ObjectId prefab, const std::string& name, const Vector3& position)
{
    GameObjectInterface* made = InstantiateRegistered(prefab, name);
    if (made)
        made->GetTransform()->SetPosition(position);
    return made;
}

void DestroyAndClear(ObjectRef& object)
{
    if (GameObjectInterface* live = object.Get())
        gServices.factory->Destroy(live);
    object.Reset();
}
