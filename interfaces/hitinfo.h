#pragma once
#include "TorvaneMath.h"

class GameObjectInterface;

// What a ray hit. The default is a miss.
struct HitInfo
{
    float distance = -1.0f; // from the ray's origin to the hit point; -1 for a miss
    GameObjectInterface* object = nullptr;
    Vector3 point;
};
