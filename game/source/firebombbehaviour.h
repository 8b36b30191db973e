#pragma once
#include <cstdint>

#include "script.h"

class ColliderInterface;
class TransformInterface;

// Fire bomb.
class FireBombBehaviour : public Script<FireBombBehaviour>
{
public:
    TransformInterface* transform = nullptr;
    ColliderInterface* collider = nullptr;
    float timer = 0.0f;
    float lifetime = 0.5f;
    float pushForce = 300.0f;
    float pushFactor = 1.0f;
    std::int32_t damage = 2;
};
