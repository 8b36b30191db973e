#include "playercontroller.h"

#include <algorithm>
#include <cmath>

#include "animatorinterface.h"
#include "audiointerface.h"
#include "audiosourceinterface.h"
#include "camerascript.h"
#include "checkpoint.h"
#include "colliderinterface.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "meshrendererinterface.h"
#include "objectfactoryinterface.h"
#include "physicsinterface.h"
#include "playerpref.h"
#include "playerstats.h"
#include "rigidbodyinterface.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kMaxVerticalSpeed = 20.0f;
constexpr float kTwiceGravity = 19.62f;
constexpr float kJumpVolume = 0.02f;
constexpr float kMidairRate = 0.5f;
constexpr float kKeepAccel = 0.3f;
// A landing shorter than this many seconds away plays "Land".
constexpr float kLandingSeconds = 1.5f;
constexpr float kGroundTolerance = 1e-6f;
constexpr float kRestLength = 1e-6f;
constexpr std::uint32_t kAxisSideways = 0;
constexpr std::uint32_t kAxisForward = 1;
constexpr std::uint32_t kAxisJump = 2;
constexpr std::uint32_t kAxisAttack = 4;
constexpr std::uint16_t kShiftKey = 0x10;
constexpr std::uint32_t kButtonB = 0x2000;
const Vector3 kUp{0.0f, 1.0f, 0.0f};
const Vector3 kParked{0.0f, -1000.0f, 0.0f};
const char* const kStateNames[] = {"IDLE",     "MOVING",  "MIDAIR",   "BLINKING", "ATTACKING",
                                   "AIMING",   "PULLING", "THROWING", "STUNNED",  "DEAD"};

GameObjectInterface* FindRequiredPrefab(const std::string& name)
{
    GameObjectInterface* prefab = gServices.factory->FindPrefab(name);
    ASSERT(prefab, "PlayerController: no prefab \"" + name + "\"");
    return prefab;
}

// The vector on the ground plane, of length 1 (zero when it has none).
Vector3 Flat(Vector3 vector)
{
    vector.y = 0.0f;
    const float length = vector.Length();
    return length > kRestLength ? vector / length : Vector3{};
}

bool IsGroundNormal(const Vector3& normal)
{
    return std::fabs(normal.x) <= kGroundTolerance && std::fabs(normal.y - 1.0f) <= kGroundTolerance &&
           std::fabs(normal.z) <= kGroundTolerance;
}

bool IsGround(const GameObjectInterface* object)
{
    return object && object->GetTag() == "Ground";
}
} // namespace

void PlayerController::Reload()
{
    rigidBody = owner->GetRigidBody();
    transform = owner->GetTransform();
    collider = owner->GetCollider();
    audioSource = owner->GetAudioSource();
    animator = owner->GetAnimator();
    stateNames.assign(std::begin(kStateNames), std::end(kStateNames));
    ASSERT(rigidBody && collider, "PlayerController: the player has no rigid body or no collider");
    velocityLock = false;
    gameOverShown = false;
    // In a reload of the library the other scripts come back one by one: they are looked for at the next
    // update, once all are there.
    partnersFound = false;
}

void PlayerController::FindPartners()
{
    ObjectFactoryInterface& factory = *gServices.factory;
    cameraObject = factory.FindObject("Camera");
    cameraScript = ScriptOf<CameraScript>(cameraObject, "CameraScript");
    ASSERT(cameraScript, "PlayerController: no object \"Camera\" with a CameraScript");
    checkPointObject = factory.FindObject("CheckPoint");
    checkPoint = ScriptOf<CheckPoint>(checkPointObject, "CheckPoint");
    meleePrefab = FindRequiredPrefab("Melee");
    stats = ScriptOf<PlayerStats>(owner, "PlayerStats");
    ASSERT(stats, "PlayerController: no PlayerStats on the player");
    partnersFound = true;
}

void PlayerController::Start()
{
    Reload();
    FindPartners();
    respawnPoint = transform->GetPosition();
    halfHeightOffset = {0.0f, collider ? collider->GetHeight() * transform->GetScale().y * 0.5f : 0.0f, 0.0f};
    playerState = kMidair;
    comboIndex = 1;
    attackDuration = kAttackDuration;
    attackTimer = kAttackDuration;
    accelTimer = 0.0f;
    grounded = false;
    blinkRechargeTimer = kBlinkRechargeTime;
    maxSpeed = kWalkSpeed;
    if (rigidBody)
    {
        savedMass = rigidBody->GetMass();
        rigidBody->SetGravityScale(kGravityScale);
    }
    FindPrefabs();
    rangeIndicator = ParkedInstance(FindRequiredPrefab("Range Indicator"));
    stunEffect = ParkedInstance(stunEffectPrefab);
    if (MeshRendererInterface* renderer = rangeIndicator ? rangeIndicator->GetMeshRenderer() : nullptr)
        renderer->SetMaterialName("Range Indicator", 0);
}

void PlayerController::FindPrefabs()
{
    meleeFeedbackPrefab = FindRequiredPrefab("Melee Feedback");
    blinkStartPrefab = FindRequiredPrefab("Blink Start");
    blinkEndPrefab = FindRequiredPrefab("Blink End");
    pushEffectPrefab = FindRequiredPrefab("Push Effect");
    pullEffectPrefab = FindRequiredPrefab("Pull Effect");
    stunEffectPrefab = FindRequiredPrefab("Stun Effect");
}

GameObjectInterface* PlayerController::ParkedInstance(const GameObjectInterface* prefab)
{
    if (!prefab)
        return nullptr;
    GameObjectInterface* instance = gServices.factory->Instantiate(prefab->GetName(), prefab->GetID());
    gServices.factory->Register(instance);
    instance->GetTransform()->SetPosition(kParked);
    return instance;
}

void PlayerController::Update()
{
    if (!partnersFound)
        FindPartners();
    ReadInput();
    switch (playerState)
    {
    case kIdle: UpdateIdle(); break;
    case kMoving: UpdateMoving(); break;
    case kMidair: UpdateMidair(); break;
    case kBlinking: UpdateBlinking(); break;
    case kAttacking: UpdateAttacking(); break;
    case kDead: UpdateDead(); break;
    default: break;
    }
    WriteVelocity();
    RechargeBlink();
    if (attackCooldown >= 0.0f)
        attackCooldown -= gServices.dt;
}

void PlayerController::ReadInput()
{
    if (playerState == kBlinking || playerState == kAttacking || playerState == kDead || busy)
        return;
    velocityLock = false;
    hasInput = false;
    moveDirection = {};
    InputInterface& input = *gServices.input;
    ReadMovement();
    if (grounded && playerState != kMidair && input.GetAxis(kAxisJump) != 0.0f)
    {
        Jump();
        return;
    }
    if (stats && PlayerStats::GetCurrBlinkCharges() != 0 &&
        (input.IsKeyTriggered(kShiftKey) || input.IsButtonTriggered(kButtonB)))
        Blink();
    else if (PlayerPref::GetInt("unlockedMelee") != 0 && attackCooldown < 0.0f &&
             (input.IsMousePressed(0) || input.GetAxis(kAxisAttack) != 0.0f))
        Attack();
}

void PlayerController::ReadMovement()
{
    InputInterface& input = *gServices.input;
    const float sideways = input.GetAxis(kAxisSideways);
    const float ahead = input.GetAxis(kAxisForward);
    if ((sideways == 0.0f && ahead == 0.0f) || !cameraObject)
        return;
    const TransformInterface& view = *cameraObject->GetTransform();
    hasInput = true;
    Vector3 direction = Flat(view.GetForward()) * ahead - Flat(view.GetRight()) * sideways;
    direction.y = 0.0f;
    if (direction.Length() > 1.0f)
        direction = direction.Normalized();
    moveDirection = direction;
    if (playerState != kMidair)
        playerState = kMoving;
    // Facing by the engine's convention for rotations set by scripts.
    transform->SetRotation({0.0f, std::atan2(direction.z, direction.x) * 180.0f / kPi - 90.0f, 0.0f});
    runAnimSpeed = std::sqrt(sideways * sideways + ahead * ahead) * 1.5f;
}

void PlayerController::Accelerate(float rate)
{
    decelTimer *= kKeepAccel;
    accelTimer = std::clamp(accelTimer + gServices.dt * rate, 0.0f, kAccelerationTime);
    currentSpeed = std::clamp(accelTimer / kAccelerationTime * maxSpeed, 0.0f, maxSpeed);
}

void PlayerController::UpdateIdle()
{
    maxSpeed = kWalkSpeed;
    PlayOnce("Idle");
    if (!grounded)
        return;
    accelTimer *= kKeepAccel;
    decelTimer = std::clamp(decelTimer + gServices.dt, 0.0f, kDecelerationTime);
    currentSpeed = std::clamp((1.0f - decelTimer / kDecelerationTime) * maxSpeed, 0.0f, maxSpeed);
}

void PlayerController::UpdateMoving()
{
    if (busy)
    {
        playerState = kIdle;
        currentSpeed = 0.0f;
        return;
    }
    if (hasInput)
        Accelerate(1.0f);
    else
        playerState = kIdle;
    if (animator)
        animator->SetStateSpeed("Run", runAnimSpeed);
    if (!grounded)
        return;
    PlayOnce("Run");
    if (audioSource)
    {
        audioSource->SetClip("sfx_footsteps");
        audioSource->Play();
    }
}

void PlayerController::UpdateMidair()
{
    maxSpeed = kAirSpeed;
    Accelerate(kMidairRate);
    const std::string current = CurrentAnimation();
    if (current != "Jump" && current != "Land")
    {
        if (current == "Idle")
            PlayOnce("Land");
        else if (!grounded)
            PlayOnce("Midair");
    }
    LandWhenNearGround();
}

void PlayerController::LandWhenNearGround()
{
    const float fall = Velocity().y;
    if (!(fall < 0.0f) || !collider)
        return;
    const Vector3 down{0.0f, -(collider->GetRadius() + collider->GetHeight() * 0.5f), 0.0f};
    const HitInfo hit = gServices.physics->RaycastAABB(transform->GetPosition(), down, true);
    if (IsGround(hit.object) && CurrentAnimation() != "Land" && std::fabs(hit.distance / fall) < kLandingSeconds)
        PlayOnce("Land");
}

void PlayerController::WriteVelocity()
{
    if (playerState == kDead || velocityLock || !rigidBody)
        return;
    const float vertical = std::clamp(Velocity().y, -kMaxVerticalSpeed, kMaxVerticalSpeed);
    const Vector3 velocity{currentSpeed * moveDirection.x, vertical, currentSpeed * moveDirection.z};
    if (velocity.HasNaN())
    {
        ASSERT(false, "PlayerController: the velocity is not a number; the body keeps its own");
        return;
    }
    rigidBody->SetVelocity(velocity);
}

void PlayerController::RechargeBlink()
{
    if (!stats || PlayerStats::GetCurrBlinkCharges() >= PlayerStats::GetMaxBlinkCharges())
        return;
    blinkRechargeTimer -= gServices.dt;
    if (blinkRechargeTimer < 0.0f)
    {
        stats->AddBlinkCharge();
        blinkRechargeTimer = kBlinkRechargeTime;
    }
}

void PlayerController::OnCollisionStay(GameObjectInterface* other, ContactData contact)
{
    if (!IsGround(other) || !IsGroundNormal(contact.normal) || grounded)
        return;
    maxSpeed = kWalkSpeed;
    grounded = true;
    if (playerState != kDead && playerState != kBlinking)
        playerState = kIdle;
}

void PlayerController::OnCollisionExit(GameObjectInterface* other)
{
    if (IsGround(other))
        grounded = false;
}

void PlayerController::OnTriggerStay(GameObjectInterface* other)
{
    OnCollisionExit(other);
}

void PlayerController::Jump()
{
    playerState = kMidair;
    if (rigidBody)
    {
        const Vector3 velocity = Velocity();
        // From rest there is no direction to keep: straight up.
        const Vector3 kept = velocity.Length() < kRestLength ? Vector3{} : velocity.Normalized();
        rigidBody->SetVelocity(kept + kUp * (std::sqrt(kTwiceGravity) * kJumpFactor / rigidBody->GetMass()));
    }
    gServices.audio->PlayOneShot("sfx_jump", kJumpVolume, transform->GetPosition());
    if (animator)
        animator->Play("Jump");
    velocityLock = true;
}

void PlayerController::PlayOnce(const std::string& state) const
{
    if (animator && animator->GetCurrentState() != state)
        animator->Play(state);
}

std::string PlayerController::CurrentAnimation() const
{
    return animator ? animator->GetCurrentState() : std::string();
}

Vector3 PlayerController::Velocity() const
{
    return rigidBody ? rigidBody->GetVelocity() : Vector3{};
}

// The actions: blink, melee attack, damage, death and respawn.

void PlayerController::Blink()
{
}

void PlayerController::Attack()
{
}

void PlayerController::UpdateBlinking()
{
}

void PlayerController::UpdateAttacking()
{
}

void PlayerController::UpdateDead()
{
}

void PlayerController::TakeDamage()
{
}

void PlayerController::Respawn()
{
}
