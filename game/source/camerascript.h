#pragma once
#include <cstdint>

#include "script.h"

class CameraInterface;
class TransformInterface;
class PlayerController;

// Third-person camera following the player, with camera shake.
class CameraScript : public Script<CameraScript>
{
public:
    static constexpr float kMinPitch = -30.0f;
    static constexpr float kMaxPitch = 10.0f;
    // Below this arm the camera goes above the player.
    static constexpr float kShortestArm = 0.55f;
    static constexpr float kSideClearance = 1.05f;

    void Reload() override;
    void Start() override;
    void Update() override;
    // A running shake at least as strong grows by half the request; otherwise the request starts anew.
    void Shake(float duration, float strength);

    TransformInterface* transform = nullptr;
    CameraInterface* camera = nullptr;
    TransformInterface* playerTransform = nullptr;
    PlayerController* playerController = nullptr;
    float armLength = 8.0f;
    float lookSensitivity = 4.0f;
    Vector3 lookOffset{0.0f, 1.0f, 0.0f};
    Vector3 target;
    Vector3 desiredPosition;
    bool blinkFollow = false;
    // 12 frames at 60 frames a second until Start measures them.
    float blinkFollowTimer = 0.2f;
    std::uint32_t blinkFollowCounter = 0;
    // Other scripts start a shake by writing these three.
    bool shakeRunning = false;
    float shakeStrength = 0.15f;
    float shakeTime = 0.0f;
    // While set, Update does nothing; cutscenes own the camera.
    bool suspended = false;

private:
    void FindPlayer();
    // How far back the arm reaches from the target along -direction: 80 % of the way to what blocks it.
    float ArmLength(const Vector3& direction) const;
    void Turn();
    void ClearSides();
    float FollowFactor();
    Vector3 ShakeOffset();
    void CountBlinkFollow();
};
