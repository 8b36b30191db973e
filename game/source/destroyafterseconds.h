#pragma once
#include <string>

#include "gameobjectinterface.h"
#include "script.h"

// Removes its object after a time.
class DestroyAfterSeconds : public Script<DestroyAfterSeconds>
{
    SCRIPT_WITH_PROPERTIES(DestroyAfterSeconds)

    // A registered instance of the prefab, named and placed (InstantiateAt), that goes away after the
    // seconds.
    static GameObjectInterface* Spawn(ObjectId prefab, const std::string& name, const Vector3& position,
                                      float seconds);

    void Update() override;

    // Seconds left.
    float timer = 0.0f;
};
