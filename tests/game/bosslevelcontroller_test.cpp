// The boss fight's escalation per broken switch, its end, and the bombs the boss drops for it.
#include "bossarena.h"
#include "scripthelpers.h"
#include "vectornear.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr std::uint16_t kCtrl = 17;
constexpr std::uint16_t kBackspace = 8;
constexpr int kFramesPerSecond = 60;

struct ControllerArena
{
    // The arena with its switches, two objects of floor_1 and one of each other group, two portals and an
    // arrow; then its first frame.
    void Build(int switchCount)
    {
        for (int index = 0; index < switchCount; ++index)
            pylons.push_back(&arena.AddSwitch("Pylon" + std::to_string(index), {30.0f, 0.0f, 5.0f * index}));
        for (const char* name : {"floor_1a", "floor_1b", "floor_2", "floor_3", "floor_4"})
            floors.push_back(&World().Object(name));
        portals.push_back(&World().Object("PortalWest", "portal"));
        portals.back()->Place({-40.0f, 0.0f, 0.0f});
        portals.push_back(&World().Object("PortalEast", "portal"));
        portals.back()->Place({40.0f, 0.0f, 0.0f});
        arrow = &World().Object("Arrow1");
        controller = &arena.AddController();
        World().Step();
    }

    FakeWorld& World() { return arena.world; }
    int Made(const std::string& name) const
    {
        return static_cast<int>(std::ranges::count(arena.world.factory.instantiated, name));
    }
    void Break(int index) { arena.SwitchOf(*pylons[index]).broken = true; }
    FadeInFadeOut& Fade()
    {
        return dynamic_cast<FadeInFadeOut&>(*World().factory.FindObject("FadeLogic")->FindScript("FadeInFadeOut"));
    }
    Vector3 TriggerPosition(const std::string& name) { return World().factory.FindObject(name)->transform.GetPosition(); }

    BossArena arena;
    std::vector<FakeObject*> pylons;
    std::vector<FakeObject*> floors;
    std::vector<FakeObject*> portals;
    FakeObject* arrow = nullptr;
    BossLevelController* controller = nullptr;
};

class BossLevelControllerTest : public ::testing::Test, public ControllerArena
{
};

TEST_F(BossLevelControllerTest, StartSortsTheArenaAndClosesPortalsAndArrows)
{
    Build(2);
    EXPECT_EQ(controller->switches.size(), 2u);
    EXPECT_EQ(controller->floorGroups[0].size(), 2u);
    EXPECT_EQ(controller->floorGroups[3].size(), 1u);
    EXPECT_EQ(controller->portals.size(), 2u);
    EXPECT_EQ(controller->bossObject, &arena.boss);
    EXPECT_EQ(controller->playerObject, &arena.player);
    EXPECT_FALSE(portals[0]->active);
    EXPECT_FALSE(arrow->active);
    EXPECT_FALSE(controller->ended);
}

TEST_F(BossLevelControllerTest, EachBreakEscalatesTheFight)
{
    Build(7);
    struct Row
    {
        int breaks;
        // The floor objects that shake and then vanish; none from the sixth break on.
        std::vector<int> floorsShaken;
    };
    const Row rows[] = {{1, {}}, {2, {0, 1}}, {3, {2}}, {4, {3}}, {5, {4}}, {6, {}}};
    float interval = 1.0f;
    for (const Row& row : rows)
    {
        std::vector<Vector3> before;
        for (const FakeObject* floor : floors)
            before.push_back(floor->transform.GetRotation());
        Break(row.breaks - 1);
        World().Step();
        interval *= 0.9f;
        SCOPED_TRACE(row.breaks);
        EXPECT_EQ(controller->brokenCount, row.breaks);
        EXPECT_TRUE(arena.bossScript.enraged);
        EXPECT_TRUE(arena.bossScript.angerPending);
        EXPECT_EQ(Made("Bomb"), 3 * row.breaks);
        EXPECT_EQ(controller->bombs.size(), static_cast<std::size_t>(3 * row.breaks));
        EXPECT_EQ(controller->bombs.back().Get()->GetTag(), "BossBomb");
        EXPECT_FLOAT_EQ(arena.bossScript.timeBetweenShots_, interval);
        for (int floor = 0; floor < 5; ++floor)
        {
            const bool shaken = std::ranges::find(row.floorsShaken, floor) != row.floorsShaken.end();
            const Vector3 tilt = floors[floor]->transform.GetRotation();
            EXPECT_EQ(tilt != before[floor], shaken) << floors[floor]->name;
            EXPECT_TRUE(std::fabs(tilt.x) <= 5.0f && tilt.y == 0.0f && std::fabs(tilt.z) <= 5.0f);
        }
        World().Steps(5 * kFramesPerSecond + 2);
        for (int floor : row.floorsShaken)
            EXPECT_FALSE(floors[floor]->active) << floors[floor]->name;
        EXPECT_EQ(portals[1]->active, row.breaks >= 2);
        EXPECT_EQ(arrow->active, row.breaks >= 2);
        EXPECT_EQ(Made("Stampeder") > 0, row.breaks >= 2);
    }
    EXPECT_FALSE(controller->ended);
    // Portals and arrows opened once, each with a burst: three bursts a break go with the bombs.
    EXPECT_EQ(Made("Green Burst"), 3 * 6 + 3);
}

TEST_F(BossLevelControllerTest, FromTheSecondBreakAStampederLeavesAPortalEveryHalfSecond)
{
    Build(3);
    Break(0);
    Break(1);
    World().Step();
    // Two breaks in one frame: both steps run, the bomb rain once.
    EXPECT_EQ(controller->brokenCount, 2);
    EXPECT_EQ(Made("Bomb"), 3);
    EXPECT_FLOAT_EQ(arena.bossScript.timeBetweenShots_, 0.9f);
    EXPECT_TRUE(controller->floorShaking);
    EXPECT_TRUE(portals[0]->active);

    std::vector<int> spawnFrames;
    for (int frame = 1; frame <= 2 * kFramesPerSecond; ++frame)
    {
        const int before = Made("Stampeder");
        World().Step();
        if (Made("Stampeder") == before)
            continue;
        spawnFrames.push_back(frame);
        FakeObject* stampeder = World().factory.Live().back().get();
        ASSERT_EQ(stampeder->name, "Stampeder");
        const Vector3 at = stampeder->transform.GetPosition();
        EXPECT_TRUE(at == portals[0]->transform.GetPosition() || at == portals[1]->transform.GetPosition());
        EXPECT_FLOAT_EQ(stampeder->transform.GetRotation().y, 90.0f);
        const auto& enemy = dynamic_cast<ChargingEnemy&>(*stampeder->FindScript("ChargingEnemy"));
        EXPECT_EQ(enemy.chargingDist_, 90.0f);
        EXPECT_EQ(enemy.chargingSpeed_, 20.0f);
        EXPECT_EQ(enemy.maxTimer, 20.0f);
        EXPECT_EQ(enemy.timeTillRespawn_, 99999.0f);
        EXPECT_EQ(dynamic_cast<DestroyAfterSeconds&>(*stampeder->FindScript("DestroyAfterSeconds")).timer, 6.0f);
    }
    ASSERT_GE(spawnFrames.size(), 3u);
    for (std::size_t at = 1; at < spawnFrames.size(); ++at)
        EXPECT_NEAR(spawnFrames[at] - spawnFrames[at - 1], 31, 1);
}

TEST_F(BossLevelControllerTest, TheFloorShakeDrawsItsTwoAnglesInTheOrderBThenA)
{
    Build(3);
    Break(0);
    Break(1);
    World().Step();
    SeedRandom(99);
    const float b = static_cast<float>(Random()) / 3276.7f - 5.0f;
    const float a = static_cast<float>(Random()) / 3276.7f - 5.0f;
    SeedRandom(99);
    World().Step();
    EXPECT_EQ(floors[0]->transform.GetRotation(), Vector3(a, 0.0f, b));
}

TEST_F(BossLevelControllerTest, TheLastBreakCleansTheArenaFadesOutAndPlacesTheTriggersOnceASecondLater)
{
    Build(2);
    for (const char* name : {"Bomb", "Stampeder", "Pillar"})
        World().Object(name);
    World().Object("Shard", "IceProjectileBoss");
    Break(0);
    Break(1);
    World().Step();
    EXPECT_TRUE(controller->ended);
    // Neither this break's bombs nor stampeders come after the cleanup.
    EXPECT_TRUE(controller->bombs.empty());
    EXPECT_EQ(Made("Bomb"), 0);
    for (const char* name : {"Bomb", "Stampeder", "Shard"})
        EXPECT_TRUE(World().factory.WasDestroyed(name)) << name;
    EXPECT_FALSE(World().factory.WasDestroyed("Pillar"));
    EXPECT_FALSE(Fade().fadingIn);
    EXPECT_TRUE(Fade().fadingOut);
    EXPECT_EQ(Fade().timer, 1.5f);

    // The boss stops at once.
    const int beams = Made("BeamProjectile");
    World().Steps(kFramesPerSecond - 3);
    EXPECT_EQ(TriggerPosition("Final Cutscene Trigger"), Vector3(0.0f, -50.0f, 0.0f));
    World().Steps(4);
    EXPECT_EQ(TriggerPosition("Special Cutscene Trigger"), BossArena::kPlayerStart);
    EXPECT_EQ(TriggerPosition("Final Cutscene Trigger"), BossArena::kPlayerStart);
    arena.player.transform.SetPosition({1.0f, 2.0f, 3.0f});
    World().Steps(6 * kFramesPerSecond);
    EXPECT_EQ(TriggerPosition("Final Cutscene Trigger"), BossArena::kPlayerStart);
    EXPECT_EQ(Made("BeamProjectile"), beams);
    EXPECT_EQ(Made("Stampeder"), 0);
}

TEST_F(BossLevelControllerTest, AnArenaWithoutSwitchesEndsOnItsFirstFrame)
{
    Build(0);
    EXPECT_TRUE(controller->ended);
    EXPECT_TRUE(Fade().fadingOut);
}

TEST(BossLevelControllerSkip, CtrlBackspaceEndsTheFightAndADeadPlayerHoldsItBack)
{
    struct Case
    {
        const char* name;
        std::vector<std::uint16_t> firstFrame;
        std::vector<std::uint16_t> secondFrame;
        bool dead;
        bool ends;
    };
    const Case cases[] = {
        {"Ctrl, then Backspace", {kCtrl}, {kCtrl, kBackspace}, false, true},
        {"both in one frame", {}, {kCtrl, kBackspace}, false, true},
        {"Backspace alone", {}, {kBackspace}, false, false},
        {"Backspace held before Ctrl", {kBackspace}, {kCtrl, kBackspace}, false, false},
        {"a dead player", {kCtrl}, {kCtrl, kBackspace}, true, false},
    };
    for (const Case& row : cases)
    {
        ControllerArena test;
        test.Build(2);
        test.arena.playerController.playerState = row.dead ? PlayerController::kDead : PlayerController::kIdle;
        for (const auto& keys : {row.firstFrame, row.secondFrame})
        {
            test.World().input.ReleaseAll();
            for (std::uint16_t key : keys)
                test.World().input.Hold(key);
            test.World().Step();
        }
        EXPECT_EQ(test.controller->ended, row.ends) << row.name;
        EXPECT_EQ(BossLevelController::bossSkip, row.ends) << row.name;
    }
}

TEST_F(BossLevelControllerTest, ABreakWaitsWhileThePlayerIsDead)
{
    Build(3);
    arena.playerController.playerState = PlayerController::kDead;
    Break(0);
    World().Steps(10);
    EXPECT_EQ(controller->brokenCount, 0);
    arena.playerController.playerState = PlayerController::kIdle;
    World().Step();
    EXPECT_EQ(controller->brokenCount, 1);
}

TEST(BossLevelControllerLookups, MissingPartnersAreReportedOnceAndTheirStepsSkipped)
{
    BossArena arena;
    arena.world.Attach<BossLevelController>(arena.world.Object("BossArena"));
    FakeObject& scriptless = arena.world.Object("Dummy Pylon", "BossSwitch");
    (void)scriptless;
    const std::string reports = ReportsOf([&] { arena.world.Steps(2 * kFramesPerSecond); });
    // No switch with a script: the fight ends at once, without a fade, triggers or their places.
    for (const char* missing : {"\"Dummy Pylon\" has no BossSwitch", "\"FadeLogic\"", "\"Special Cutscene Trigger\"",
                                "\"Final Cutscene Trigger\""})
        EXPECT_EQ(CountOf(reports, missing), 1) << missing << "\n" << reports;
}

TEST(BossLevelControllerLookups, WithoutAPortalNoStampederComes)
{
    BossArena arena;
    BossLevelController& controller = arena.AddController();
    for (int index = 0; index < 3; ++index)
        arena.AddSwitch("Pylon" + std::to_string(index), {30.0f, 0.0f, 5.0f * index});
    arena.world.Step();
    for (int index = 0; index < 2; ++index)
        arena.SwitchOf(*arena.world.factory.FindObject("Pylon" + std::to_string(index))).broken = true;
    const std::string reports = ReportsOf([&] { arena.world.Steps(2 * kFramesPerSecond); });
    EXPECT_TRUE(controller.spawning);
    EXPECT_EQ(std::ranges::count(arena.world.factory.instantiated, "Stampeder"), 0);
    EXPECT_EQ(CountOf(reports, "no portal"), 1) << reports;
}

TEST(BossBombDropTest, BombsFallBetweenThreeAndHalfTheRangeFromHome)
{
    BossArena arena;
    BossLevelController& controller = arena.AddController();
    arena.world.Step();
    float nearest = 1e9f;
    float farthest = 0.0f;
    for (int drop = 0; drop < 300; ++drop)
        arena.bossScript.DropBomb();
    ASSERT_EQ(controller.bombs.size(), 300u);
    for (const ObjectRef& bomb : controller.bombs)
    {
        const Vector3 at = bomb.Get()->GetTransform()->GetPosition();
        EXPECT_EQ(at.y, 0.0f);
        nearest = std::min(nearest, at.Length());
        farthest = std::max(farthest, at.Length());
    }
    EXPECT_GE(nearest, 3.0f);
    EXPECT_LE(farthest, BossArena::kRange / 2.0f + 1e-4f);
    EXPECT_LT(nearest, 4.0f);
    EXPECT_GT(farthest, 29.0f);
    EXPECT_EQ(std::ranges::count(arena.world.factory.registered, "Green Burst"), 300);
}
} // namespace
