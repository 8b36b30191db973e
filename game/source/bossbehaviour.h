#pragma once
#include <cstdint>
#include <string>

#include "objectref.h"
#include "scripthelpers.h"
#include "script.h"

class GameObjectInterface;
class AnimatorInterface;
class TransformInterface;
class BossLevelController;
class CameraScript;
class PlayerController;

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
    PlayerController* playerController = nullptr;
    CameraScript* cameraScript = nullptr;
    GameObjectInterface* levelControllerObject = nullptr;
    BossLevelController* levelController = nullptr;
    std::uint64_t iceProjectilePrefab = 0;
    std::uint64_t beamProjectilePrefab = 0;
    std::uint64_t feedbackPrefab = 0;
    // The telegraphs showing where a beam will go.
    ObjectRef feedback;
    ObjectRef feedbackLeft;
    ObjectRef feedbackRight;
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
    ReportOnce reportOnce;

    void Reload() override;
    void Start() override;
    void Update() override;

    // A bomb dropped by the level controller at a random point between 3 and Range / 2 from home.
    void DropBomb();

private:
    bool Idle() const;
    void Anger();
    void Charge(bool doubleBeam);
    void StartCharge(bool doubleBeam);
    void PlaceChargeTelegraphs(bool doubleBeam);
    void Fire(bool doubleBeam);
    void Recover();
    void RunSweep();
    void LayOutSweepTelegraphs();
    void FireSweepBeams();
    void IceVolley();
    void ChangeMode();

    void ShootIce(const std::string& name, float yawOffset);
    void FacePlayer();
    // The yaw offsets of the starting side's telegraph and beam, and of the other side's.
    float LeftYaw() const { return side ? -25.0f : 25.0f; }
    float RightYaw() const { return -LeftYaw(); }
    Vector3 RotationWithYaw(float yawOffset) const;
    void PlaceTelegraph(const ObjectRef& telegraph, float yawOffset, float heightDivisor) const;
    // The telegraph left in the slot by an interrupted sequence goes before the new one takes it.
    void SpawnTelegraph(ObjectRef& slot, const std::string& name, float yawOffset, float heightDivisor);
    void FireBeam(const std::string& name, float volume, float yawOffset, bool turned);
    // A beam of the double attack: turned by the yaw, with its shake, and its telegraph removed.
    void FireSideBeam(const std::string& name, ObjectRef& telegraph, float yawOffset);
    void FadeIn(const ObjectRef& telegraph) const;
    void Shake(float strength) const;
    void Play(const std::string& state) const;
    void Sound(const std::string& name, float volume, const Vector3& position) const;
    void StopParticles() const;
};
