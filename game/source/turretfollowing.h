#pragma once
#include "turret.h"

// Stationary enemy that turns to the player and shoots ice projectiles.
class TurretFollowing : public Script<TurretFollowing>, public TurretFields
{
    SCRIPT_WITH_PROPERTIES(TurretFollowing)

    void Reload() override;
    void Start() override;
    void Update() override;

    float range = 0.0f;
    float timeBetweenShots = 0.0f;

private:
    void Aim();
};
