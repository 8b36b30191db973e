#include "scriptlookup.h"

#include <unordered_map>

#include "gameservices.h"
#include "objectfactoryinterface.h"

GameObjectInterface* FindObjectNamed(const std::string& name)
{
    return gServices.factory ? gServices.factory->FindObject(name) : nullptr;
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
