#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "objectref.h"
#include "script.h"

class GameObjectInterface;
class AnimatorInterface;
class AudioSourceInterface;
class ColliderInterface;
class RigidBodyInterface;
class TransformInterface;
class CameraScript;
class CheckPoint;
class PlayerStats;
class FadeInFadeOut;

// The player: movement, state machine, actions, damage and respawn.
class PlayerController : public Script<PlayerController>
{
public:
    // The player's states, in the order of their display names.
    enum PlayerState : std::int32_t
    {
        kIdle, kMoving, kMidair, kBlinking, kAttacking, kAiming, kPulling, kThrowing, kStunned, kDead,
    };

    // Tuning: constants, so a player made again by a hot reload (never started) moves as one that started.
    static constexpr float kWalkSpeed = 14.0f;
    static constexpr float kAirSpeed = 9.8f;
    static constexpr float kAccelerationTime = 0.4f;
    static constexpr float kDecelerationTime = 0.2f;
    static constexpr float kJumpFactor = 2.8333333f;
    static constexpr float kGravityScale = 3.0f;
    static constexpr float kBlinkDistance = 6.0f;
    static constexpr float kBlinkDuration = 0.15f;
    static constexpr float kBlinkRechargeTime = 3.0f;
    static constexpr float kAttackDuration = 0.2f;
    static constexpr float kAttackCooldown = 0.1f;
    static constexpr float kDeathWait = 2.0f;

    void Reload() override;
    void Start() override;
    void Update() override;
    // Ground contact: only a floor tagged "Ground" touched from exactly above grounds the player.
    void OnCollisionStay(GameObjectInterface* other, ContactData contact) override;
    // Leaving the ground.
    void OnCollisionExit(GameObjectInterface* other) override;
    void OnTriggerStay(GameObjectInterface* other) override;
    using MonoBehaviorInterface::OnCollisionStay;
    using MonoBehaviorInterface::OnTriggerStay;

    // One hit on the player; every enemy, projectile, bomb and hazard hurts the player only through it.
    void TakeDamage();

    void ReadInput();
    void Accelerate(float rate);
    void Jump();
    void Blink();
    void Attack();
    void Respawn();
    // The steps of the action states, run by Update.
    void UpdateBlinking();
    void UpdateAttacking();
    void UpdateDead();

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
    // Instances the player parks out of sight; a level cleanup may remove them.
    ObjectRef rangeIndicator;
    ObjectRef stunEffect;
    // The PlayerStats on the same object.
    PlayerStats* stats = nullptr;
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
    float blinkRechargeTimer = kBlinkRechargeTime;
    // From 1, so a player made again by a hot reload attacks with "Attack1".
    std::int32_t comboIndex = 1;
    float attackTimer = 0.0f;
    float attackDuration = kAttackDuration;
    float attackLungeFactor = 1.0f;
    float attackCooldown = 0.0f;
    float deathTimer = 0.0f;

private:
    // The camera and its script, the checkpoint, the melee prefab and the stats; the required ones are
    // reported when missing.
    void FindPartners();
    void FindPrefabs();
    // Instantiates and registers a copy of the prefab, parked below the level; null without the prefab.
    static GameObjectInterface* ParkedInstance(const GameObjectInterface* prefab);
    // Camera-relative movement from the stick or keys.
    void ReadMovement();
    void UpdateIdle();
    void UpdateMoving();
    void UpdateMidair();
    void LandWhenNearGround();
    void WriteVelocity();
    void RechargeBlink();
    void SpendBlinkCharge() const;
    // How far a blink goes: its full length, or short of what is in the way.
    float BlinkReach(const Vector3& position, const Vector3& direction) const;
    // The wait after the death state has played: a respawn, or at game over the confirm that reloads the level.
    void WaitAfterDeath(bool gameOver);
    void ShowGameOver(FadeInFadeOut* fade);
    void ShowBody(bool shown) const;
    void SetBodyMaterial(const std::string& material) const;
    // Keeps only the vertical velocity.
    void StopHorizontally() const;
    // Plays the state unless it is the current one.
    void PlayOnce(const std::string& state) const;
    std::string CurrentAnimation() const;
    Vector3 Velocity() const;
};
