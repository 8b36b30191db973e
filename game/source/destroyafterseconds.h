#pragma once
#include <string>

#include "gameobjectinterface.h"
#include "script.h"

// Removes its object after a time.
class DestroyAfterSeconds : public Script<DestroyAfterSeconds>
{
    SCRIPT_WITH_PROPERTIES(DestroyAfterSeconds)

    // The id of the level's prefab of that name; 0, reported for the looking script, when there is none.
    static ObjectId PrefabId(const std::string& who, const std::string& prefab);
    // A registered instance of the prefab, named and placed, that goes away after the seconds. A prefab id
    // of 0 makes nothing: a bare object would never go away.
    static GameObjectInterface* Spawn(ObjectId prefab, const std::string& name, const Vector3& position,
                                      float seconds);

    void Update() override;

    // Seconds left.
    float timer = 0.0f;
};
