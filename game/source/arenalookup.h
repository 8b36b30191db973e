#pragma once
#include <cstdint>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "TorvaneMath.h"
#include "gameobjectinterface.h"
#include "monobehaviorinterface.h"

// Lookups of partner objects, prefabs and scripts that report what is missing, and the pieces the boss
// arena's scripts share.
namespace arena
{

// Reports each message the first time only; every script copy holds its own record.
class ReportOnce
{
public:
    void operator()(std::string_view message, std::source_location where = std::source_location::current());

private:
    std::vector<std::string> reported_;
};

bool Contains(std::string_view text, std::string_view part);

// The live object of that name; a missing one is reported and null.
GameObjectInterface* FindRequired(const std::string& name,
                                  std::source_location where = std::source_location::current());
// The id Instantiate takes; a missing prefab is reported and 0.
std::uint64_t FindPrefabId(const std::string& name, std::source_location where = std::source_location::current());
// A registered instance of the prefab, so it is drawn, simulated and run; null for the id 0.
GameObjectInterface* SpawnRegistered(const std::string& name, std::uint64_t prefab);
void DestroyAndClear(GameObjectInterface*& object);

// The object's script of that class, or null: a name match may be another class.
template <class T>
T* ScriptOf(const GameObjectInterface* object, const std::string& name)
{
    return object ? dynamic_cast<T*>(object->GetScript(name)) : nullptr;
}

void ReportMissingScript(const GameObjectInterface& object, const std::string& name, std::source_location where);
// The same for a script the object must have: an object without it is reported (no object, no report: its
// lookup reported that).
template <class T>
T* RequiredScript(const GameObjectInterface* object, const std::string& name,
                  std::source_location where = std::source_location::current())
{
    T* script = ScriptOf<T>(object, name);
    if (object && !script)
        ReportMissingScript(*object, name, where);
    return script;
}

// The yaw in degrees that faces along the direction: atan2(z, x), made positive, minus 90. A direction
// without a horizontal part keeps the previous yaw (normalising it would give NaN).
float FacingYaw(const Vector3& direction, float previousYaw);
} // namespace arena
