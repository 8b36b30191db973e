#pragma once
#include <cstdint>

#include "script.h"

// Ice projectile fired by turrets: launched along its facing, it bursts on every trigger it touches and
// flies on through the objects it belongs to.
class IceProjectile : public Script<IceProjectile>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;
    void OnCollisionEnter(GameObjectInterface* other) override;
    void OnTriggerEnter(GameObjectInterface* other) override;

    bool launched = false;
    float lifetime = 5.0f;
    std::uint64_t impactPrefabId = 0;

private:
    void HitPlayer(GameObjectInterface* player);
};
