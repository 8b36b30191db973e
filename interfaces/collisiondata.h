#pragma once
#include "TorvaneMath.h"

#include <cstdint>

class GameObject;

// One contact between two objects. Scripts are handed its first 16 bytes: the normal and the penetration.
struct CollisionData
{
    Vector3 normal;          // from objectA towards objectB
    float penetration = 0.0f;
    std::uint8_t resolve = 0;   // 1 when the step applies an impulse for it
    std::uint8_t isTrigger = 0; // 1 when either collider is a trigger
    float timeOfImpact = 0.0f;  // fraction of the step; 0 for shapes that already overlap
    float stepTime = 0.0f;      // the remaining frame time the test ran with
    Vector3 relativeMotion;     // objectB's displacement minus objectA's over stepTime
    GameObject* objectA = nullptr;
    GameObject* objectB = nullptr;
};
