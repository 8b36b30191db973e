#pragma once
#include "TorvaneMath.h"

class GameObjectInterface;

// What a ray query hit: the nearest object along the ray, or nothing (distance -1, no object, zero point).
struct HitInfo
{
    float distance = -1.0f; // from the ray's origin to the hit point
    GameObjectInterface* object = nullptr;
    Vector3 point; // where the ray meets the object, in world space
};
