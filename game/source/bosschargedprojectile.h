#pragma once
#include "scripthelpers.h"
#include "script.h"

class GameObjectInterface;

// The boss's charged projectile.
class BossChargedProjectile : public Script<BossChargedProjectile>
{
public:
    GameObjectInterface* greenScreen = nullptr;
    float lifetime = 2.0f;
    float lifetimeLength = 2.0f;
    float speed = 120.0f;
    Vector3 fullScale;
    // Set by the boss.
    Vector3 direction;
    // The player is in the beam: the beam's exit, or its going, takes the green screen away.
    bool playerInside = false;
    ReportOnce reportOnce;

    void Reload() override;
    void Start() override;
    void Update() override;
    // A beam that goes hears no exit event of the player left in it.
    void OnDestroy() override;
    void OnCollisionEnter(GameObjectInterface* other) override;
    void OnTriggerEnter(GameObjectInterface* other) override;
    void OnCollisionExit(GameObjectInterface* other) override;
    void OnTriggerExit(GameObjectInterface* other) override;

private:
    void ShowGreenScreen(bool shown);
};
