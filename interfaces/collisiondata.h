#pragma once
#include <cstdint>

#include "TorvaneMath.h"

class GameObject;

// One contact between two objects, as the physics reports it with its enter and stay events.
struct CollisionData
{
    // Points from objectA toward objectB.
    Vector3 normal;
    float penetration = 0.0f;
    std::uint8_t resolve = 0;
    std::uint8_t isTrigger = 0;
    float timeOfImpact = 0.0f;
    float stepTime = 0.0f;
    Vector3 relativeMotion;
    GameObject* objectA = nullptr;
    GameObject* objectB = nullptr;
};
