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
    float blinkFollowTimer = 0.0f;
    std::uint32_t blinkFollowCounter = 0;
    // Other scripts start a shake by writing these three.
    bool shakeRunning = false;
    float shakeStrength = 0.0f;
    float shakeTime = 0.0f;
    // While set, Update does nothing; cutscenes own the camera.
    bool suspended = false;

    // A weaker or equal request extends the running shake by half its values; else a new shake starts.
    void Shake(float duration, float strength);
};
