#pragma once
#include <cstdint>

#include "script.h"

class ColliderInterface;
class TransformInterface;

// The fire explosion a bomb leaves: it grows for half a second and hurts the AI characters it touches.
class FireBombBehaviour : public Script<FireBombBehaviour>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override;

    TransformInterface* transform = nullptr;
    ColliderInterface* collider = nullptr;
    float timer = 0.0f;
    float lifetime = 0.5f;
    float pushForce = 300.0f;
    float pushFactor = 1.0f;
    std::int32_t damage = 2;
};
