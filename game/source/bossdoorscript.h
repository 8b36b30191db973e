#pragma once
#include "script.h"

class GameObjectInterface;
class TransformInterface;

// Sinks the arena door while the player stands beyond it.
class BossDoorScript : public Script<BossDoorScript>
{
public:
    GameObjectInterface* playerObject = nullptr;
    GameObjectInterface* bossObject = nullptr;
    Vector3 homePosition;
    float sinkDepth = -25.0f;
    bool open = false;

    void Reload() override;
    void Start() override;
    void Update() override;

private:
    // The player stands more than one unit along the door's right axis.
    bool PlayerBeyond(const TransformInterface& door) const;
};
