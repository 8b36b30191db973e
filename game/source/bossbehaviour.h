#pragma once
#include <cstdint>

#include "script.h"

class GameObjectInterface;
class AnimatorInterface;
class TransformInterface;
class BossLevelController;

// The final boss.
class BossBehaviour : public Script<BossBehaviour>
{
    SCRIPT_WITH_PROPERTIES(BossBehaviour)

    float range_ = 0.0f;
    float timeBetweenShots_ = 0.0f;
    float chargeUpTime_ = 0.0f;

    TransformInterface* transform = nullptr;
    AnimatorInterface* animator = nullptr;
    TransformInterface* playerTransform = nullptr;
    GameObjectInterface* levelControllerObject = nullptr;
    BossLevelController* levelController = nullptr;
    std::uint64_t iceProjectilePrefab = 0;
    std::uint64_t beamProjectilePrefab = 0;
    std::uint64_t feedbackPrefab = 0;
    // The telegraphs showing where a beam will go.
    GameObjectInterface* feedback = nullptr;
    GameObjectInterface* feedbackLeft = nullptr;
    GameObjectInterface* feedbackRight = nullptr;
    Vector3 homePosition;
    float rangeSquared = 0.0f;
    float shotTimer = 0.0f;
    float chargeTimer = 0.0f;
    float preChargeTimer = 0.0f;
    float preChargeLength = 0.0f;
    float phaseTimer = 0.0f;
    float phaseLength = 0.0f;
    float recoveryTimer = 0.0f;
    float recoveryLength = 0.0f;
    float sweepTimerA = 0.0f;
    float sweepTimerB = 0.0f;
    float sweepLength = 0.0f;
    float fadeLead = 0.0f;
    // 0 angry, 1 single beam, 2 double beam, 3 ice volley.
    std::int32_t mode = 0;
    bool side = false;
    bool chargeFresh = false;
    bool attackDone = false;
    bool recovering = false;
    bool doubleTelegraph = false;
    bool doubleFiring = false;
    bool enraged = false;
    bool tracking = false;
    bool angerPending = false;
};
