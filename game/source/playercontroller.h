#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "script.h"

class GameObjectInterface;
class AnimatorInterface;
class AudioSourceInterface;
class ColliderInterface;
class RigidBodyInterface;
class TransformInterface;
class CameraScript;
class CheckPoint;

// The player: movement, state machine, actions, damage and respawn.
class PlayerController : public Script<PlayerController>
{
public:
    // The player's states, in the order of their display names.
    enum PlayerState : std::int32_t
    {
        kIdle, kMoving, kMidair, kBlinking, kAttacking, kAiming, kPulling, kThrowing, kStunned, kDead,
    };

    RigidBodyInterface* rigidBody = nullptr;
    TransformInterface* transform = nullptr;
    ColliderInterface* collider = nullptr;
    AudioSourceInterface* audioSource = nullptr;
    AnimatorInterface* animator = nullptr;
    GameObjectInterface* cameraObject = nullptr;
    CameraScript* cameraScript = nullptr;
    // Absent in levels without a checkpoint.
    GameObjectInterface* checkPointObject = nullptr;
    CheckPoint* checkPoint = nullptr;
    GameObjectInterface* meleePrefab = nullptr;
    GameObjectInterface* meleeFeedbackPrefab = nullptr;
    GameObjectInterface* blinkStartPrefab = nullptr;
    GameObjectInterface* blinkEndPrefab = nullptr;
    GameObjectInterface* pushEffectPrefab = nullptr;
    GameObjectInterface* pullEffectPrefab = nullptr;
    GameObjectInterface* stunEffectPrefab = nullptr;
    GameObjectInterface* rangeIndicator = nullptr;
    GameObjectInterface* stunEffect = nullptr;
    // Named apart from the base's life-cycle state, which it would hide.
    PlayerState playerState = kIdle;
    std::vector<std::string> stateNames;
    bool hasInput = false;
    bool grounded = false;
    // An action or a running fade owns the player; input is ignored.
    bool busy = false;
    bool velocityLock = false;
    bool gameOverShown = false;
    Vector3 moveDirection;
    float currentSpeed = 0.0f;
    float maxSpeed = 0.0f;
    float maxVerticalSpeed = 20.0f;
    float accelTimer = 0.0f;
    float decelTimer = 0.0f;
    float runAnimSpeed = 1.0f;
    Vector3 halfHeightOffset;
    float savedMass = 0.0f;
    Vector3 respawnPoint;
    float blinkTimer = 0.0f;
    Vector3 blinkTarget;
    float blinkRechargeTimer = 0.0f;
    std::int32_t comboIndex = 0;
    float attackTimer = 0.0f;
    float attackDuration = 0.0f;
    float attackLungeFactor = 1.0f;
    float attackCooldown = 0.0f;
    float deathTimer = 0.0f;

    // Every hit costs one heart and ends in the dead state.
    void TakeDamage();
};
