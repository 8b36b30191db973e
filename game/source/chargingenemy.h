#pragma once
#include "script.h"

class GameObjectInterface;
class ParticleSystemInterface;

// Enemy that charges along its facing, vanishes at the end of its run and comes back at its start.
class ChargingEnemy : public Script<ChargingEnemy>
{
    SCRIPT_WITH_PROPERTIES(ChargingEnemy)

    void Start() override;
    void Reload() override;
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override;

    float chargingDist_ = 0.0f;
    float chargingSpeed_ = 0.0f;
    float maxTimer = 0.0f;
    float timeTillRespawn_ = 0.0f;

    Vector3 homePosition;
    Vector3 chargeVelocity;
    float chargingDistanceSquared = 0.0f;
    float pushForce = 300.0f;
    bool respawning = false;
    float respawnTimer = 0.0f;
    // May be absent.
    ParticleSystemInterface* particles = nullptr;
    GameObjectInterface* player = nullptr;

private:
    void Reappear();
    void Vanish();
};
