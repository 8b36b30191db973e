#pragma once
#include "objectref.h"
#include "script.h"

class GameObjectInterface;

// Pickup that unlocks the melee attack.
class Ankh : public Script<Ankh>
{
public:
    // Finds the door the pickup breaks.
    void Reload() override;
    void Start() override;
    // Bobs, and removes the door a while after the pickup.
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override;
    using MonoBehaviorInterface::OnTriggerEnter;

    float bobTime = 0.0f;
    float bobPeriod = 1.0f;
    float doorTimer = 2.45f;
    bool doorOpening = false;
    // The object "ankhdoor"; null when the level has none. Another ankh may break it first.
    ObjectRef ankhDoor;

private:
    void Bob();
    void BreakDoors(const std::string& name);
};
