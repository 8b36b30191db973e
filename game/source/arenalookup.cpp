#include "arenalookup.h"

#include <algorithm>
#include <cmath>

#include "assertion.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"

namespace arena
{

void ReportOnce::operator()(std::string_view message, std::source_location where)
{
    if (std::ranges::find(reported_, message) != reported_.end())
        return;
    reported_.emplace_back(message);
    ReportAssertion(message, where.file_name(), static_cast<int>(where.line()));
}

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

GameObjectInterface* FindRequired(const std::string& name, std::source_location where)
{
    GameObjectInterface* found = gServices.factory ? gServices.factory->FindObject(name) : nullptr;
    if (!found)
        ReportAssertion("Missing object \"" + name + "\"", where.file_name(), static_cast<int>(where.line()));
    return found;
}

void ReportMissingScript(const GameObjectInterface& object, const std::string& name, std::source_location where)
{
    ReportAssertion("\"" + object.GetName() + "\" has no " + name + " script", where.file_name(),
                    static_cast<int>(where.line()));
}

std::uint64_t FindPrefabId(const std::string& name, std::source_location where)
{
    GameObjectInterface* prefab = gServices.factory ? gServices.factory->FindPrefab(name) : nullptr;
    if (!prefab)
        ReportAssertion("Missing prefab \"" + name + "\"", where.file_name(), static_cast<int>(where.line()));
    return prefab ? prefab->GetID() : 0;
}

GameObjectInterface* SpawnRegistered(const std::string& name, std::uint64_t prefab)
{
    if (prefab == 0 || !gServices.factory)
        return nullptr;
    GameObjectInterface* object = gServices.factory->Instantiate(name, prefab);
    if (object)
        gServices.factory->Register(object);
    return object;
}

void DestroyAndClear(GameObjectInterface*& object)
{
    if (object && gServices.factory)
        gServices.factory->Destroy(object);
    object = nullptr;
}

float FacingYaw(const Vector3& direction, float previousYaw)
{
    if (direction.x == 0.0f && direction.z == 0.0f)
        return previousYaw;
    const Vector3 unit = direction.Normalized();
    float yaw = RadiansToDegrees(std::atan2(unit.z, unit.x));
    if (yaw < 0.0f)
        yaw += 360.0f;
    return yaw - 90.0f;
}
} // namespace arena
