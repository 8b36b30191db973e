#include "camerascript.h"

#include <algorithm>
#include <cmath>

#include "camerainterface.h"
#include "coreinterface.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "physicsinterface.h"
#include "playercontroller.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kArmShare = 0.8f;
constexpr float kFollowRate = 8.0f;
constexpr int kBlinkFollowFrames = 12;
constexpr float kGamepadLookScale = 0.5f;
constexpr std::uint32_t kLookAxisX = 6;
constexpr std::uint32_t kLookAxisY = 7;
const Vector3 kAbovePlayer{0.0f, 2.0f, 0.0f};
// Random() / 5215.03 spans 0 to 2 pi; Random() / 16383.5 - 1 spans -1 to 1.
constexpr float kRandomToAngle = 5215.03f;
constexpr float kRandomToUnit = 16383.5f;
} // namespace

void CameraScript::Reload()
{
    transform = owner->GetTransform();
    camera = owner->GetCamera();
    gServices.core->SetMainCamera(owner->GetID());
    FindPlayer();
}

void CameraScript::FindPlayer()
{
    GameObjectInterface* player = FindObjectFor("CameraScript", "Player");
    playerTransform = player ? player->GetTransform() : nullptr;
    playerController = RequiredScript<PlayerController>(player);
}

void CameraScript::Start()
{
    Reload();
    armLength = 8.0f;
    lookSensitivity = 4.0f;
    blinkFollowTimer = kBlinkFollowFrames * gServices.dt;
    shakeRunning = false;
    shakeStrength = 0.15f;
    if (camera)
    {
        camera->SetViewDirty(true);
        camera->SetNear(0.5f);
        camera->SetFar(500.0f);
    }
    if (!playerTransform)
        return;
    lookOffset = {0.0f, 1.0f, 0.0f};
    target = playerTransform->GetPosition() + lookOffset;
    // Negated: the player's rotation was loaded, the camera's is set, and the two are mirrored.
    transform->SetRotation(-playerTransform->GetRotation());
    const Vector3 forward = playerTransform->GetForward();
    transform->SetPosition(target - forward * ArmLength(forward));
}

void CameraScript::Update()
{
    if (suspended || !playerTransform)
        return;
    if (camera)
        camera->SetViewDirty(true);
    const Vector3& playerPosition = playerTransform->GetPosition();
    target = playerPosition + Vector3{0.0f, 1.0f, 0.0f};
    Turn();
    const Vector3 forward = transform->GetForward();
    const float arm = ArmLength(forward);
    desiredPosition = arm >= kShortestArm ? target - forward * arm : playerPosition + kAbovePlayer;
    ClearSides();

    const float follow = FollowFactor();
    Vector3 goal = desiredPosition;
    if (shakeRunning)
    {
        shakeTime -= gServices.dt;
        goal += ShakeOffset();
        if (shakeTime < 0.0f)
            shakeRunning = false;
    }
    const Vector3& current = transform->GetPosition();
    transform->SetPosition(current + (goal - current) * follow);
    CountBlinkFollow();
}

void CameraScript::Shake(float duration, float strength)
{
    if (shakeRunning && strength <= shakeStrength)
    {
        shakeTime += duration * 0.5f;
        shakeStrength += strength * 0.5f;
        return;
    }
    shakeRunning = true;
    shakeTime = duration;
    shakeStrength = strength;
}

float CameraScript::ArmLength(const Vector3& direction) const
{
    const HitInfo hit = gServices.physics->RaycastBoxes(target, -(direction * armLength), true);
    return hit.object && hit.distance < armLength ? hit.distance * kArmShare : armLength;
}

void CameraScript::Turn()
{
    InputInterface& input = *gServices.input;
    Vector3 rotation = transform->GetRotation();
    if (input.IsGamepadConnected())
    {
        rotation.y += input.GetAxis(kLookAxisX) * lookSensitivity * kGamepadLookScale;
        rotation.x += input.GetAxis(kLookAxisY) * lookSensitivity * kGamepadLookScale;
    }
    else
    {
        const Vector2 motion = input.GetMouseDelta();
        rotation.y += motion.x * lookSensitivity * gServices.dt;
        rotation.x -= motion.y * lookSensitivity * gServices.dt;
    }
    rotation.x = std::clamp(rotation.x, kMinPitch, kMaxPitch);
    transform->SetRotation(rotation);
}

void CameraScript::ClearSides()
{
    const Vector3 right = transform->GetRight();
    const auto blocked = [this](const Vector3& direction) {
        const HitInfo hit = gServices.physics->RaycastAABB(desiredPosition, direction * armLength, true);
        return hit.object && hit.distance < kSideClearance;
    };
    if (blocked(-right))
        desiredPosition += right * kSideClearance;
    else if (blocked(right))
        desiredPosition -= right * kSideClearance;
}

float CameraScript::FollowFactor()
{
    float follow = kFollowRate * gServices.dt;
    if (blinkFollow)
        follow = static_cast<float>(blinkFollowCounter++) * gServices.dt;
    // Above 1 the camera would overshoot its goal, and above 2 swing wider every frame.
    return std::min(follow, 1.0f);
}

Vector3 CameraScript::ShakeOffset()
{
    const float angle = static_cast<float>(Random()) / kRandomToAngle;
    const float z = static_cast<float>(Random()) / kRandomToUnit - 1.0f;
    const float radius = std::sqrt(std::max(0.0f, 1.0f - z * z));
    return Vector3{std::cos(angle) * radius, std::sin(angle) * radius, z} * shakeStrength;
}

void CameraScript::CountBlinkFollow()
{
    if (!blinkFollow)
        return;
    blinkFollowTimer -= gServices.dt;
    if (blinkFollowTimer < 0.0f)
    {
        blinkFollow = false;
        blinkFollowCounter = 0;
        blinkFollowTimer = kBlinkFollowFrames * gServices.dt;
    }
}
