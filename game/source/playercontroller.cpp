#include "playercontroller.h"

#include <algorithm>
#include <cmath>

#include "animatorinterface.h"
#include "audiointerface.h"
#include "audiosourceinterface.h"
#include "camerascript.h"
#include "checkpoint.h"
#include "colliderinterface.h"
#include "crumblingfloor.h"
#include "destroyafterseconds.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "inputinterface.h"
#include "lightinterface.h"
#include "meshrendererinterface.h"
#include "objectfactoryinterface.h"
#include "physicsinterface.h"
#include "playerpref.h"
#include "playerstats.h"
#include "rigidbodyinterface.h"
#include "scripthelpers.h"
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
    return FindPrefabFor("PlayerController", name);
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

// The actions.
constexpr float kActionVolume = 0.02f;
constexpr float kHurtVolume = 0.05f;
constexpr float kTrueDeathVolume = 0.2f;
constexpr float kRespawnVolume = 0.1f;
constexpr float kBlinkShakeSeconds = 0.15f;
constexpr float kBlinkShakeStrength = 0.3f;
constexpr float kHitShakeSeconds = 0.2f;
constexpr float kHitShakeStrength = 0.8f;
constexpr float kBlinkEffectSeconds = 0.26f;
constexpr float kRespawnEffectSeconds = 3.0f;
// The light the player carries, as it is between blinks.
constexpr float kLightRange = 5.0f;
constexpr float kLightIntensity = 1.0f;
constexpr float kLastStepLonger = 1.5f;
constexpr float kMeleeReach = 1.5f;
constexpr float kSlashLean = 45.0f;
constexpr float kLungeGrowth = 0.1f;

ObjectId IdOf(const GameObjectInterface* prefab)
{
    return prefab ? prefab->GetID() : 0;
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
    FindPartners();
    FindPrefabs();
    // A reloaded instance holds only its construction values: what Start read from the level is read again. A
    // body held static (dead in a pit) does not tell its mass; the respawn then leaves the mass as it is.
    if (rigidBody && !rigidBody->IsStatic())
        savedMass = rigidBody->GetMass();
    respawnPoint = checkPoint && checkPoint->activated ? checkPoint->RespawnPoint() : transform->GetPosition();
}

void PlayerController::FindPartners()
{
    cameraObject = FindObjectFor("PlayerController", "Camera");
    cameraScript = RequiredScript<CameraScript>(cameraObject);
    checkPointObject = FindObjectNamed("CheckPoint");
    checkPoint = ScriptOf<CheckPoint>(checkPointObject);
    meleePrefab = FindRequiredPrefab("Melee");
    stats = RequiredScript<PlayerStats>(owner);
}

void PlayerController::Start()
{
    Reload();
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
        rigidBody->SetGravityScale(kGravityScale);
    rangeIndicator = ParkedInstance(FindRequiredPrefab("Range Indicator"));
    stunEffect = ParkedInstance(stunEffectPrefab);
    if (MeshRendererInterface* renderer = RendererOf(rangeIndicator.Get()))
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
    return prefab ? InstantiateAt(prefab->GetID(), prefab->GetName(), kParked) : nullptr;
}

void PlayerController::Update()
{
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
    if (PlayerPref::GetInt("unlockedBlink") == 0)
        return;
    playerState = kBlinking;
    blinkTimer = kBlinkDuration;
    busy = true;
    SpendBlinkCharge();
    const Vector3 direction = moveDirection != Vector3{} ? moveDirection : transform->GetForward();
    const Vector3 position = transform->GetPosition();
    blinkTarget = position + direction * BlinkReach(position, direction);
    ShowBody(false);
    gServices.audio->PlayOneShot("sfx_PlayerDash_3", kActionVolume, position);
    if (cameraScript)
        cameraScript->Shake(kBlinkShakeSeconds, kBlinkShakeStrength);
    gServices.input->SetVibration(0.4f, 0.4f, 0.3f);
    DestroyAfterSeconds::Spawn(IdOf(blinkStartPrefab), "Blink Start", blinkTarget, kBlinkEffectSeconds);
}

void PlayerController::SpendBlinkCharge() const
{
    const int charges = PlayerStats::GetCurrBlinkCharges();
    if (charges <= 0)
        return;
    PlayerPref::SetInt("currBlinkCharges", charges - 1);
    if (stats)
        stats->ShowScarab(charges - 1, false);
}

float PlayerController::BlinkReach(const Vector3& position, const Vector3& direction) const
{
    const HitInfo hit =
        gServices.physics->RaycastOBB(position - halfHeightOffset, direction * kBlinkDistance, true);
    // Stops one collider radius before what is in the way; nearer than that the player stays.
    const float margin = collider ? collider->GetRadius() * transform->GetScale().x : 0.0f;
    float distance = kBlinkDistance;
    if (hit.object && hit.distance < kBlinkDistance + margin)
        distance = hit.distance - margin;
    return distance < margin ? 0.0f : distance;
}

void PlayerController::UpdateBlinking()
{
    LightInterface* light = owner->GetLight();
    if (light)
    {
        light->SetRange(light->GetRange() + 1.0f);
        light->SetIntensity(light->GetIntensity() + 0.5f);
    }
    blinkTimer -= gServices.dt;
    if (blinkTimer > 0.0f)
        return;
    transform->SetPosition(blinkTarget);
    ShowBody(true);
    if (light)
    {
        light->SetRange(kLightRange);
        light->SetIntensity(kLightIntensity);
    }
    DestroyAfterSeconds::Spawn(IdOf(blinkEndPrefab), "Blink End", transform->GetPosition(), kBlinkEffectSeconds);
    if (cameraScript)
        cameraScript->blinkFollow = true;
    playerState = kIdle;
    busy = false;
}

void PlayerController::Attack()
{
    playerState = kAttacking;
    busy = true;
    attackTimer = comboIndex == 3 ? attackDuration * kLastStepLonger : attackDuration;
    attackLungeFactor = 1.0f;
    const std::string step = std::to_string(comboIndex);
    if (animator)
        animator->Play("Attack" + step);
    const Vector3 position = transform->GetPosition();
    const Vector3 forward = transform->GetForward();
    gServices.audio->PlayOneShot("sfx_PlayerAttackSound_" + step, kActionVolume, position);
    InstantiateAt(IdOf(meleePrefab), "melee", position + forward * kMeleeReach);
    if (GameObjectInterface* feedback = InstantiateAt(IdOf(meleeFeedbackPrefab), "feedback", position + forward))
    {
        // The slash leans one way, then the other; the last step is level.
        Vector3 rotation = transform->GetRotation();
        if (comboIndex == 1)
            rotation.z = kSlashLean;
        else if (comboIndex == 2)
            rotation.z = -kSlashLean;
        feedback->GetTransform()->SetRotation(rotation);
    }
    comboIndex = comboIndex >= 3 ? 1 : comboIndex + 1;
}

void PlayerController::UpdateAttacking()
{
    attackLungeFactor += kLungeGrowth;
    maxSpeed = attackLungeFactor * kWalkSpeed * 0.5f;
    moveDirection = transform->GetForward();
    Accelerate(attackLungeFactor);
    attackTimer -= gServices.dt;
    if (attackTimer > 0.0f)
        return;
    busy = false;
    maxSpeed = kWalkSpeed;
    playerState = kIdle;
    attackCooldown = kAttackCooldown;
}

void PlayerController::TakeDamage()
{
    if ((stats && stats->invulnerable) || playerState == kDead || playerState == kBlinking)
        return;
    busy = true;
    SetBodyMaterial("mainChar1Damaged");
    if (cameraScript)
        cameraScript->Shake(kHitShakeSeconds, kHitShakeStrength);
    gServices.input->SetVibration(1.0f, 1.0f, 0.3f);
    playerState = kDead;
    StopHorizontally();
    const int health = PlayerStats::GetCurrHealth();
    if (health > 0)
    {
        PlayerStats::SetCurrHealth(health - 1);
        if (stats)
            stats->ShowHeart(health - 1, false);
    }
    // Other scripts may hurt a player that has not started yet: its own object has the position.
    const Vector3 position = owner->GetTransform()->GetPosition();
    gServices.audio->PlayOneShot("sfx_PlayerHurt", kHurtVolume, position);
    DestroyAfterSeconds::Spawn(PrefabId("PlayerController", "Damage Effect"), "DamageEffect", position + kUp,
                               kBlinkEffectSeconds);
}

void PlayerController::UpdateDead()
{
    auto* fade = FindScript<FadeInFadeOut>("FadeLogic");
    StopHorizontally();
    PlayOnce("Death");
    const bool outOfHealth = PlayerStats::GetCurrHealth() < 1;
    if (AnimationEnded(animator))
        WaitAfterDeath(outOfHealth && !(fade && fade->fadingOut));
    if (outOfHealth && !gameOverShown)
        ShowGameOver(fade);
}

void PlayerController::WaitAfterDeath(bool gameOver)
{
    deathTimer += gServices.dt;
    if (deathTimer <= kDeathWait)
        return;
    if (!gameOver)
    {
        Respawn();
        deathTimer = 0.0f;
    }
    else if (IsConfirmPressed())
    {
        gServices.factory->LoadLevel(gServices.factory->GetLevelName());
        if (stats)
            stats->RemoveGainedHearts();
    }
}

void PlayerController::ShowGameOver(FadeInFadeOut* fade)
{
    if (Check(fade, "PlayerController: no object \"FadeLogic\" with a FadeInFadeOut"))
    {
        fade->fadingIn = false;
        fade->fadingOut = true;
        fade->timer = fade->duration;
    }
    gameOverShown = true;
    gServices.audio->PlayOneShot("bgm_truedeath", kTrueDeathVolume, transform->GetPosition());
    if (ImageInterface* image = ImageOf(FindObjectNamed("GameOver")))
        image->SetAlpha(1.0f);
    if (ImageInterface* image = ImageOf(FindObjectNamed("Continue")))
    {
        image->SetAlpha(1.0f);
        image->SetMaterial(gServices.input->IsGamepadConnected() ? "UIContinueC" : "UIContinue");
    }
}

void PlayerController::Respawn()
{
    transform->SetPosition(respawnPoint);
    SetBodyMaterial("mainChar1");
    if (stats)
        for (int charge = 0; charge < PlayerStats::GetMaxBlinkCharges(); ++charge)
            stats->AddBlinkCharge();
    if (checkPoint)
        for (CrumblingFloor* floor : checkPoint->floors)
            floor->Restore();
    playerState = kIdle;
    busy = false;
    if (rigidBody)
    {
        rigidBody->SetStatic(false);
        if (savedMass > 0.0f)
            rigidBody->SetMass(savedMass);
    }
    const Vector3 position = transform->GetPosition();
    DestroyAfterSeconds::Spawn(PrefabId("PlayerController", "Respawn Effect"), "Respawn Effect", position + kUp,
                               kRespawnEffectSeconds);
    gServices.audio->PlayOneShot("bgm_respawn", kRespawnVolume, position);
}

void PlayerController::ShowBody(bool shown) const
{
    if (MeshRendererInterface* renderer = owner->GetMeshRenderer())
        renderer->SetEnabled(shown);
}

void PlayerController::SetBodyMaterial(const std::string& material) const
{
    if (MeshRendererInterface* renderer = owner->GetMeshRenderer())
        renderer->SetMaterialName(material, 0);
}

void PlayerController::StopHorizontally() const
{
    if (rigidBody)
        rigidBody->SetVelocity({0.0f, Velocity().y, 0.0f});
}
