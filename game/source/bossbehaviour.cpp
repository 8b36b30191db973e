#include "bossbehaviour.h"

#include "animatorinterface.h"
#include "audiointerface.h"
#include "bosschargedprojectile.h"
#include "bosslevelcontroller.h"
#include "camerascript.h"
#include "colliderinterface.h"
#include "gameservices.h"
#include "meshrendererinterface.h"
#include "objectfactoryinterface.h"
#include "particlesysteminterface.h"
#include "playercontroller.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

#define BOSSBEHAVIOUR_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, range_, "range_", "Range") \
    PROPERTY(Class, timeBetweenShots_, "timeBetweenShots_", "TimeBetweenShots") \
    PROPERTY(Class, chargeUpTime_, "chargeUpTime_", "ChargeUpTime")

DEFINE_SCRIPT_PROPERTIES(BossBehaviour, BOSSBEHAVIOUR_PROPERTIES)

namespace
{
constexpr float kSingleHeightDivisor = 1.4f;
constexpr float kSweepHeightDivisor = 1.5f;
// The first beam shrinks the arena test by this many squared units.
constexpr float kRangeShrink = 1100.0f;
constexpr float kShakeTime = 1.5f;
} // namespace

void BossBehaviour::Reload()
{
    transform = owner->GetTransform();
    animator = owner->GetAnimator();
    GameObjectInterface* player = FindObjectFor("BossBehaviour", "Player");
    playerTransform = player ? player->GetTransform() : nullptr;
    playerController = RequiredScript<PlayerController>(player);
    cameraScript = RequiredScript<CameraScript>(FindObjectFor("BossBehaviour", "Camera"));
    iceProjectilePrefab = PrefabId("BossBehaviour", "IceProjectile");
    beamProjectilePrefab = PrefabId("BossBehaviour", "BeamProjectile");
    feedbackPrefab = PrefabId("BossBehaviour", "BeamProjectileFeedback");
    // An empty search keeps the controller found before.
    const auto controllers = gServices.factory->GetObjectsWithScript("BossLevelController");
    if (!controllers.empty())
        levelControllerObject = controllers.front();
    levelController = ScriptOf<BossLevelController>(levelControllerObject);
    // A reloaded boss has only its construction values: its place and tuning are taken again, and its cycle
    // starts over from the angry mode.
    homePosition = transform->GetPosition();
    rangeSquared = range_ * range_ + 100.0f;
    if (timeBetweenShots_ == 0.0f)
        timeBetweenShots_ = 1.0f;
    if (chargeUpTime_ == 0.0f)
        chargeUpTime_ = 1.0f;
    preChargeLength = 2.0f;
    recoveryLength = 2.0f;
    phaseLength = 8.0f;
    sweepLength = 1.0f;
    fadeLead = 0.31f;
}

void BossBehaviour::Start()
{
    Reload();
    shotTimer = timeBetweenShots_;
    chargeTimer = chargeUpTime_ * 2.5f;
    mode = 1;
    chargeFresh = true;
    attackDone = recovering = doubleTelegraph = doubleFiring = enraged = tracking = angerPending = side = false;
    preChargeTimer = preChargeLength;
    recoveryTimer = 0.0f;
    phaseTimer = phaseLength;
    sweepTimerA = sweepTimerB = 0.0f;
    feedback = nullptr;
    StopParticles();
}

void BossBehaviour::Update()
{
    if (Idle())
    {
        if (enraged)
        {
            mode = 0;
            angerPending = true;
        }
        return;
    }
    if (playerController && playerController->playerState == PlayerController::kDead)
        return;
    switch (mode)
    {
    case 0:
        if (angerPending)
            Anger();
        FacePlayer();
        break;
    case 1: Charge(false); break;
    case 2: Charge(true); break;
    case 3:
        FacePlayer();
        if (shotTimer <= 0.0f)
        {
            IceVolley();
            shotTimer = timeBetweenShots_;
        }
        else
            shotTimer -= gServices.dt;
        break;
    default: break;
    }
    RunSweep();
    ChangeMode();
}

bool BossBehaviour::Idle() const
{
    // Without a controller the fight has not ended; without a player there is nobody to fight.
    if (levelController && levelController->ended)
        return true;
    if (!playerTransform)
        return true;
    return (playerTransform->GetPosition() - homePosition).LengthSquared() > rangeSquared;
}

void BossBehaviour::Anger()
{
    Play("Angry");
    tracking = true;
    angerPending = false;
    attackDone = recovering = doubleTelegraph = doubleFiring = false;
    chargeTimer = chargeUpTime_;
    chargeFresh = true;
    DestroyAndClear(feedback);
    DestroyAndClear(feedbackLeft);
    DestroyAndClear(feedbackRight);
    StopParticles();
    Sound("sfx_SetScream", 0.1f, homePosition);
}

void BossBehaviour::Charge(bool doubleBeam)
{
    if (preChargeTimer > 0.0f)
    {
        if (tracking)
            FacePlayer();
        preChargeTimer -= gServices.dt;
        return;
    }
    if (chargeFresh)
        StartCharge(doubleBeam);
    if (chargeTimer > 0.0f)
    {
        if (chargeTimer >= fadeLead)
            PlaceChargeTelegraphs(doubleBeam);
        else
            FadeIn(feedback);
        chargeFresh = false;
        chargeTimer -= gServices.dt;
    }
    else if (!recovering)
        Fire(doubleBeam);
    else
        Recover();
}

void BossBehaviour::StartCharge(bool doubleBeam)
{
    SpawnTelegraph(feedback, "BeamProjectileFeedback", 0.0f,
                   doubleBeam ? kSweepHeightDivisor : kSingleHeightDivisor);
    if (doubleBeam)
    {
        doubleTelegraph = true;
        sweepTimerA = sweepTimerB = 0.0f;
        side = !side;
    }
    if (tracking || doubleBeam)
        FacePlayer();
    if (ParticleSystemInterface* particles = owner->GetParticleSystem())
        particles->Play();
    Play("Summon");
    Sound("sfx_BossCharging", 0.2f, transform->GetPosition());
}

void BossBehaviour::PlaceChargeTelegraphs(bool doubleBeam)
{
    if (tracking)
        FacePlayer();
    PlaceTelegraph(feedback, 0.0f, kSingleHeightDivisor);
    if (!doubleBeam)
        return;
    PlaceTelegraph(feedbackLeft, LeftYaw(), kSingleHeightDivisor);
    PlaceTelegraph(feedbackRight, RightYaw(), kSingleHeightDivisor);
}

void BossBehaviour::Fire(bool doubleBeam)
{
    if (doubleBeam)
    {
        FireSideBeam("BeamProjectile0", feedback, 0.0f);
        sweepTimerA = 0.0f;
        doubleFiring = true;
    }
    else
    {
        FireBeam("BeamProjectile", 0.2f, 0.0f, tracking);
        // The first beam goes where the boss faced when the level loaded; from then on it tracks.
        if (!tracking)
        {
            tracking = true;
            rangeSquared -= kRangeShrink;
        }
        Shake(0.5f);
        DestroyAndClear(feedback);
    }
    StopParticles();
    recoveryTimer = recoveryLength;
    recovering = true;
}

void BossBehaviour::Recover()
{
    recoveryTimer -= gServices.dt;
    if (recoveryTimer > 0.0f)
        return;
    chargeFresh = true;
    attackDone = true;
    chargeTimer = chargeUpTime_;
    preChargeTimer = preChargeLength;
}

void BossBehaviour::RunSweep()
{
    if (doubleTelegraph)
        LayOutSweepTelegraphs();
    if (doubleFiring)
        FireSweepBeams();
}

void BossBehaviour::LayOutSweepTelegraphs()
{
    if (sweepTimerA > sweepLength * 0.5f)
    {
        SpawnTelegraph(feedbackLeft, "BeamProjectileFeedback1", LeftYaw(), kSweepHeightDivisor);
        if (MeshRendererInterface* renderer = RendererOf(feedbackLeft.Get()))
            renderer->SetMaterialName("redalpha1", 0);
        sweepTimerA = -999.0f;
    }
    else
        sweepTimerA += gServices.dt;
    if (sweepTimerB > sweepLength)
    {
        SpawnTelegraph(feedbackRight, "BeamProjectileFeedback2", RightYaw(), kSweepHeightDivisor);
        if (MeshRendererInterface* renderer = RendererOf(feedbackRight.Get()))
            renderer->SetMaterialName("redalpha2", 0);
        doubleTelegraph = false;
        sweepTimerB = 0.0f;
    }
    else
        sweepTimerB += gServices.dt;
}

void BossBehaviour::FireSweepBeams()
{
    // The starting side's telegraph is always feedbackLeft, whichever way side turns it.
    if (sweepTimerA > sweepLength * 0.5f - fadeLead)
        FadeIn(feedbackLeft);
    if (sweepTimerB > sweepLength - fadeLead)
        FadeIn(feedbackRight);
    if (sweepTimerA > sweepLength * 0.5f)
    {
        FireSideBeam("BeamProjectile1", feedbackLeft, LeftYaw());
        sweepTimerA = -999.0f;
    }
    else
        sweepTimerA += gServices.dt;
    if (sweepTimerB > sweepLength)
    {
        FireSideBeam("BeamProjectile2", feedbackRight, RightYaw());
        doubleFiring = false;
        sweepTimerB = 0.0f;
    }
    else
        sweepTimerB += gServices.dt;
}

void BossBehaviour::IceVolley()
{
    ShootIce("IceProjectile", 0.0f);
    ShootIce("IceProjectile2", -(15.0f + static_cast<float>(Random()) * 15.0f / kRandomMax));
    ShootIce("IceProjectile3", 15.0f + static_cast<float>(Random()) * 15.0f / kRandomMax);
    Play("Shoot");
    Sound("sfx_BossAttack", 0.2f, transform->GetPosition());
}

void BossBehaviour::ShootIce(const std::string& name, float yawOffset)
{
    GameObjectInterface* shot = InstantiateRegistered(iceProjectilePrefab, name);
    if (!shot)
        return;
    TransformInterface& shotTransform = *shot->GetTransform();
    shotTransform.SetPosition(homePosition + transform->GetForward() * 5.0f);
    shotTransform.SetRotation(RotationWithYaw(yawOffset));
    if (ColliderInterface* collider = shot->GetCollider())
    {
        collider->SetTrigger(true);
        collider->SetRadius(collider->GetRadius() * 0.8f);
    }
    shot->SetTag("IceProjectileBoss");
}

void BossBehaviour::ChangeMode()
{
    if (enraged && !attackDone)
    {
        phaseTimer -= gServices.dt;
        if (phaseTimer <= 0.0f)
        {
            mode = 2;
            phaseTimer = phaseLength;
        }
        return;
    }
    if (!attackDone)
        return;
    mode = enraged ? 3 : 1;
    if (enraged)
        phaseTimer = phaseLength;
    attackDone = recovering = false;
    chargeTimer = chargeUpTime_;
}

void BossBehaviour::DropBomb()
{
    const float r1 = static_cast<float>(Random()) / 16383.5f - 1.0f;
    const float r2 = static_cast<float>(Random()) / 16383.5f - 1.0f;
    // r1 and r2 are never both 0: 16383.5 is no whole number.
    const Vector3 direction = Vector3(r1, 0.0f, r2).Normalized();
    const float distance = 3.0f + static_cast<float>(Random()) / (kRandomMax / (range_ * 0.5f - 3.0f));
    if (levelController)
        levelController->DropBomb(homePosition + direction * distance);
}

void BossBehaviour::FacePlayer()
{
    if (!playerTransform)
        return;
    const Vector3 rotation = transform->GetRotation();
    const float yaw = FacingYaw(playerTransform->GetPosition() - homePosition, rotation.y);
    transform->SetRotation({rotation.x, yaw, rotation.z});
}

Vector3 BossBehaviour::RotationWithYaw(float yawOffset) const
{
    return transform->GetRotation() + Vector3(0.0f, yawOffset, 0.0f);
}

void BossBehaviour::PlaceTelegraph(const ObjectRef& telegraph, float yawOffset, float heightDivisor) const
{
    const GameObjectInterface* placedObject = telegraph.Get();
    if (!placedObject)
        return;
    TransformInterface& placed = *placedObject->GetTransform();
    placed.SetRotation(RotationWithYaw(yawOffset));
    const Vector3 scale = placed.GetScale();
    Vector3 position = homePosition + transform->GetForward() * (scale.z * 0.5f);
    position.y -= scale.y / heightDivisor;
    placed.SetPosition(position);
}

void BossBehaviour::SpawnTelegraph(ObjectRef& slot, const std::string& name, float yawOffset,
                                   float heightDivisor)
{
    DestroyAndClear(slot);
    slot = InstantiateRegistered(feedbackPrefab, name);
    PlaceTelegraph(slot, yawOffset, heightDivisor);
}

void BossBehaviour::FireBeam(const std::string& name, float volume, float yawOffset, bool turned)
{
    GameObjectInterface* beam = InstantiateRegistered(beamProjectilePrefab, name);
    Play("Melee");
    Sound("sfx_BossChargeAttack", volume, transform->GetPosition());
    if (!beam)
        return;
    TransformInterface& beamTransform = *beam->GetTransform();
    if (turned)
        beamTransform.SetRotation(RotationWithYaw(yawOffset));
    const Vector3 along = turned ? beamTransform.GetForward() : transform->GetForward();
    beamTransform.SetPosition(homePosition + along);
    if (auto* projectile = ScriptOf<BossChargedProjectile>(beam))
        projectile->direction = along;
    else
        reportOnce("BossBehaviour: the beam has no BossChargedProjectile script");
}

void BossBehaviour::FireSideBeam(const std::string& name, ObjectRef& telegraph, float yawOffset)
{
    FireBeam(name, 0.4f, yawOffset, true);
    Shake(0.2f);
    DestroyAndClear(telegraph);
}

void BossBehaviour::FadeIn(const ObjectRef& telegraph) const
{
    if (MeshRendererInterface* renderer = RendererOf(telegraph.Get()))
        renderer->SetAlpha(renderer->GetAlpha() * 2.0f);
}

void BossBehaviour::Shake(float strength) const
{
    if (cameraScript)
        cameraScript->Shake(kShakeTime, strength);
}

void BossBehaviour::Play(const std::string& state) const
{
    if (animator)
        animator->Play(state);
}

void BossBehaviour::Sound(const std::string& name, float volume, const Vector3& position) const
{
    gServices.audio->PlayOneShot(name, volume, position);
}

void BossBehaviour::StopParticles() const
{
    if (ParticleSystemInterface* particles = owner->GetParticleSystem())
        particles->Stop();
}
