#include "bosslevelcontroller.h"

#include <string_view>

#include "bossbehaviour.h"
#include "bossswitch.h"
#include "chargingenemy.h"
#include "destroyafterseconds.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "objectfactoryinterface.h"
#include "playercontroller.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr std::uint16_t kCtrlKey = 17;
constexpr std::uint16_t kBackspaceKey = 8;
constexpr std::string_view kFloorNames[] = {"floor_1", "floor_2", "floor_3", "floor_4"};
} // namespace

void BossLevelController::Reload()
{
    switches.clear();
    bombs.clear();
    for (auto& group : floorGroups)
        group.clear();
    arrows.clear();
    portals.clear();
    for (GameObjectInterface* object : gServices.factory->GetAllObjects())
        Sort(object);
    bombPrefab = PrefabId("BossLevelController", "PuzzleBomb");
    burstPrefab = PrefabId("BossLevelController", "Green Burst");
    stampederPrefab = PrefabId("BossLevelController", "Bone Stampeder Custom");
    RequiredScript<BossBehaviour>(bossObject);
    RequiredScript<PlayerController>(playerObject);
}

// Into the first group that matches, in this order.
void BossLevelController::Sort(GameObjectInterface* object)
{
    const std::string& tag = object->GetTag();
    const std::string name = object->GetName();
    if (Contains(tag, "BossSwitch"))
    {
        // Counted only with its script: without one it could never break and the fight never end.
        if (RequiredScript<BossSwitch>(object))
            switches.push_back(object);
        return;
    }
    if (Contains(tag, "FinalBoss"))
        bossObject = object;
    else if (Contains(tag, "Player"))
        playerObject = object;
    else if (Contains(tag, "BossDoor"))
        doorObject = object;
    else if (Contains(name, "Arrow"))
        arrows.push_back(object);
    else
    {
        for (std::size_t group = 0; group < floorGroups.size(); ++group)
            if (Contains(name, kFloorNames[group]))
            {
                floorGroups[group].push_back(object);
                return;
            }
        if (Contains(tag, "portal"))
            portals.push_back(object);
    }
}

void BossLevelController::Start()
{
    Reload();
    ended = bombRainPending = floorShaking = spawning = triggersPlaced = false;
    endTimer = floorShakeTimer = spawnTimer = 0.0f;
    brokenCount = 0;
    floorShakeTime = 5.0f;
    spawnInterval = 0.5f;
    for (GameObjectInterface* object : portals)
        object->SetActive(false);
    for (GameObjectInterface* object : arrows)
        object->SetActive(false);
}

void BossLevelController::Update()
{
    if (PlayerController* player = Player(); player && player->playerState == PlayerController::kDead)
        return;
    InputInterface& input = *gServices.input;
    if (input.IsKeyPressed(kCtrlKey) && input.IsKeyTriggered(kBackspaceKey))
        bossSkip = true;
    if (CountBroken() == switches.size() || bossSkip)
        RunEnd();
    // The cleanup has cleared the arena for the last scene: nothing new comes into it.
    if (!ended)
    {
        SpawnInTime();
        if (bombRainPending)
            RainBombs();
    }
    if (floorShaking)
        ShakeFloor();
}

void BossLevelController::SpawnInTime()
{
    if (!spawning)
        return;
    spawnTimer += gServices.dt;
    if (spawnTimer > spawnInterval)
    {
        SpawnStampeder();
        spawnTimer = 0.0f;
    }
}

// Every switch that broke since the last count escalates the fight, one break after the other.
std::size_t BossLevelController::CountBroken()
{
    std::int32_t count = 0;
    for (GameObjectInterface* object : switches)
    {
        const auto* bossSwitch = ScriptOf<BossSwitch>(object);
        if (bossSwitch && bossSwitch->broken && ++count > brokenCount)
            Escalate(count);
    }
    return static_cast<std::size_t>(count);
}

void BossLevelController::Escalate(std::int32_t count)
{
    bombRainPending = true;
    brokenCount = count;
    if (BossBehaviour* boss = Boss())
    {
        boss->enraged = true;
        boss->angerPending = true;
        boss->mode = 0;
    }
    if (count <= 1)
        return;
    floorShaking = true;
    floorShakeTimer = 0.0f;
    if (!spawning)
    {
        OpenPortals();
        spawning = true;
    }
}

void BossLevelController::RunEnd()
{
    if (!ended)
    {
        StartFadeOut();
        ended = true;
        CleanUp();
    }
    endTimer += gServices.dt;
    if (endTimer >= 1.0f && !triggersPlaced)
    {
        PlaceTriggers();
        triggersPlaced = true;
    }
}

void BossLevelController::StartFadeOut()
{
    auto* fade = RequiredScript<FadeInFadeOut>(FindObjectFor("BossLevelController", "FadeLogic"));
    if (!fade)
        return;
    fade->fadingIn = false;
    fade->fadingOut = true;
    fade->timer = fade->duration;
}

void BossLevelController::CleanUp()
{
    ObjectFactoryInterface& factory = *gServices.factory;
    for (GameObjectInterface* object : factory.GetAllObjects())
    {
        const std::string name = object->GetName();
        if (Contains(name, "Bomb") || Contains(name, "Stampeder") ||
            Contains(object->GetTag(), "IceProjectileBoss"))
            factory.Destroy(object);
    }
    bombs.clear();
}

void BossLevelController::PlaceTriggers()
{
    if (!playerObject)
        return;
    const Vector3 position = playerObject->GetTransform()->GetPosition();
    for (const char* name : {"Special Cutscene Trigger", "Final Cutscene Trigger"})
        if (GameObjectInterface* trigger = FindObjectFor("BossLevelController", name))
            trigger->GetTransform()->SetPosition(position);
}

void BossLevelController::SpawnStampeder()
{
    if (portals.empty())
    {
        reportOnce("BossLevelController: no portal to release stampeders from");
        return;
    }
    const GameObjectInterface& portal = *portals[static_cast<std::size_t>(Random() / 3) % portals.size()];
    GameObjectInterface* stampeder = InstantiateRegistered(stampederPrefab, "Stampeder");
    if (!stampeder)
        return;
    TransformInterface& transform = *stampeder->GetTransform();
    transform.SetPosition(portal.GetTransform()->GetPosition());
    transform.SetRotation(transform.GetRotation() + Vector3(0.0f, 90.0f, 0.0f));
    if (auto* enemy = ScriptOf<ChargingEnemy>(stampeder))
    {
        enemy->chargingDist_ = 90.0f;
        enemy->chargingSpeed_ = 20.0f;
        enemy->maxTimer = 20.0f;
        enemy->timeTillRespawn_ = 99999.0f;
    }
    else
        reportOnce("BossLevelController: the stampeder has no ChargingEnemy script");
    if (auto* timed = ScriptOf<DestroyAfterSeconds>(stampeder))
        timed->timer = 6.0f;
    else
        reportOnce("BossLevelController: the stampeder has no DestroyAfterSeconds script");
}

void BossLevelController::RainBombs()
{
    if (BossBehaviour* boss = Boss())
    {
        for (int bomb = 0; bomb < 3; ++bomb)
            boss->DropBomb();
        boss->timeBetweenShots_ *= 0.9f;
    }
    bombRainPending = false;
}

// The second break shakes floor_1 away, the fifth floor_4; later breaks find no floor left.
void BossLevelController::ShakeFloor()
{
    const std::size_t group = static_cast<std::size_t>(brokenCount - 2);
    if (brokenCount < 2 || group >= floorGroups.size())
    {
        floorShaking = false;
        return;
    }
    if (floorShakeTimer > floorShakeTime)
    {
        for (GameObjectInterface* object : floorGroups[group])
            object->SetActive(false);
        floorShaking = false;
        return;
    }
    floorShakeTimer += gServices.dt;
    for (GameObjectInterface* object : floorGroups[group])
    {
        const float b = static_cast<float>(Random()) / 3276.7f - 5.0f;
        const float a = static_cast<float>(Random()) / 3276.7f - 5.0f;
        object->GetTransform()->SetRotation({a, 0.0f, b});
    }
}

void BossLevelController::OpenPortals()
{
    for (GameObjectInterface* portal : portals)
    {
        portal->SetActive(true);
        if (GameObjectInterface* burst = SpawnBurst())
            burst->GetTransform()->SetPosition(portal->GetTransform()->GetPosition());
    }
    for (GameObjectInterface* arrow : arrows)
    {
        arrow->SetActive(true);
        SpawnBurst();
    }
}

void BossLevelController::DropBomb(const Vector3& point)
{
    GameObjectInterface* bomb = InstantiateRegistered(bombPrefab, "Bomb");
    if (bomb)
    {
        bomb->SetTag(bomb->GetTag() + "BossBomb");
        bomb->GetTransform()->SetPosition(point);
        bombs.push_back(bomb);
    }
    if (GameObjectInterface* burst = SpawnBurst())
        burst->GetTransform()->SetPosition(point);
}

GameObjectInterface* BossLevelController::SpawnBurst() const
{
    return InstantiateRegistered(burstPrefab, "Green Burst");
}

BossBehaviour* BossLevelController::Boss()
{
    return ScriptOf<BossBehaviour>(bossObject);
}

PlayerController* BossLevelController::Player()
{
    return ScriptOf<PlayerController>(playerObject);
}
