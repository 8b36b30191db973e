// The player's actions: blink, melee combo, damage, death, respawn and the game over.
#include "fakeplayer.h"
#include "playerpref.h"
#include "scriptlookup.h"
#include "vectornear.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
constexpr std::uint16_t kShiftKey = 0x10;
constexpr std::uint16_t kLeftMouseKey = 1;
constexpr std::uint16_t kEnterKey = 13;

class PlayerActionsTest : public ::testing::Test
{
protected:
    PlayerActionsTest()
    {
        for (const char* name : {"Blink Start", "Blink End", "Damage Effect", "Respawn Effect"})
            world.Attach<DestroyAfterSeconds>(*world.factory.FindPrefab(name));
        PlayerPref::SetInt("unlockedBlink", 1);
        PlayerPref::SetInt("unlockedMelee", 1);
        world.Step();
        level.Ground();
        world.Step();
        world.audio.played.clear();
        world.input.vibrations.clear();
    }

    // Presses the key for one frame.
    void Press(std::uint16_t key)
    {
        world.input.Hold(key);
        world.Step();
        world.input.Release(key);
    }
    FakeObject* Live(const std::string& name) const { return world.factory.FindObject(name); }
    float TimerOf(const std::string& name) const
    {
        return ScriptOf<DestroyAfterSeconds>(Live(name))->timer;
    }
    // The player dies and its "Death" state plays to its end.
    void Die()
    {
        level.controller.TakeDamage();
        world.Step();
        level.animator.currentFrame = level.animator.endFrame;
    }

    FakeWorld world;
    FakePlayerLevel level{world};
    PlayerController& controller = level.controller;
};

TEST_F(PlayerActionsTest, ABlinkGoesItsFullLengthOrStopsAMarginBeforeAWallAndStaysWhenTooClose)
{
    struct Case
    {
        float hitDistance; // negative: nothing in the way
        float travelled;
    };
    const Case cases[] = {{-1.0f, 6.0f}, {7.0f, 6.0f}, {6.3f, 5.8f}, {3.0f, 2.5f}, {0.8f, 0.0f}};
    FakeObject& wall = world.Object("Wall");
    for (const Case& c : cases)
    {
        world.physics.AnswerAlways(RayKind::OBB, {c.hitDistance, c.hitDistance < 0.0f ? nullptr : &wall, {}});
        world.physics.queries.clear();
        const Vector3 start = level.player.transform.GetPosition();
        const Vector3 forward = level.player.transform.GetForward();
        Press(kShiftKey);
        ASSERT_EQ(controller.playerState, PlayerController::kBlinking) << c.hitDistance;
        const std::vector<RayQuery> rays = world.physics.QueriesOf(RayKind::OBB);
        ASSERT_EQ(rays.size(), 1u);
        ExpectNear(rays[0].origin, start - Vector3{0.0f, 1.0f, 0.0f}, "from the capsule's bottom");
        ExpectNear(rays[0].direction, forward * 6.0f, "along the facing without input");
        EXPECT_TRUE(rays[0].skipTriggers);
        ExpectNear(controller.blinkTarget, start + forward * c.travelled, "target");
        world.Steps(12);
        ExpectNear(level.player.transform.GetPosition(), start + forward * c.travelled, "arrived");
        PlayerPref::SetInt("currBlinkCharges", 3);
    }
}

TEST_F(PlayerActionsTest, ABlinkSpendsAChargeHidesThePlayerAndEndsAfterItsDurationWithItsEffects)
{
    world.input.axes[1] = 1.0f;
    Press(kShiftKey);
    world.input.axes[1] = 0.0f;
    const Vector3 direction = controller.moveDirection;
    EXPECT_GT(direction.Length(), 0.9f);
    ExpectNear(controller.blinkTarget, level.player.transform.GetPosition() + direction * 6.0f, "along the stick");
    EXPECT_EQ(PlayerStats::GetCurrBlinkCharges(), 2);
    FakeObject* icon = Live("Scarab2");
    EXPECT_EQ(icon->Get<FakeImage>().material, "ScarabEmptyUI");
    EXPECT_EQ(icon->Get<FakeRectTransform>().scale, Vector2(0.4f, 0.4f));
    EXPECT_FALSE(level.player.Get<FakeMeshRenderer>().enabled);
    EXPECT_TRUE(controller.busy);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_PlayerDash_3"));
    EXPECT_FLOAT_EQ(level.cameraScript->shakeStrength, 0.3f);
    ASSERT_NE(Live("Blink Start"), nullptr);
    EXPECT_EQ(Live("Blink Start")->transform.GetPosition(), controller.blinkTarget);
    EXPECT_FLOAT_EQ(TimerOf("Blink Start"), 0.26f);
    EXPECT_GT(level.player.Get<FakeLight>().range, 5.0f) << "the light grows while blinking";

    world.Steps(7);
    EXPECT_EQ(controller.playerState, PlayerController::kBlinking);
    world.Steps(2);
    EXPECT_EQ(controller.playerState, PlayerController::kIdle);
    EXPECT_FALSE(controller.busy);
    EXPECT_EQ(level.player.transform.GetPosition(), controller.blinkTarget);
    EXPECT_TRUE(level.player.Get<FakeMeshRenderer>().enabled);
    EXPECT_FLOAT_EQ(level.player.Get<FakeLight>().range, 5.0f);
    EXPECT_FLOAT_EQ(level.player.Get<FakeLight>().intensity, 1.0f);
    ASSERT_NE(Live("Blink End"), nullptr);
    EXPECT_FLOAT_EQ(TimerOf("Blink End"), 0.26f);
    EXPECT_TRUE(level.cameraScript->blinkFollow);
}

TEST_F(PlayerActionsTest, HoldingTheButtonCyclesTheComboWithALongerThirdStepAndACooldownAfterEach)
{
    world.input.Hold(kLeftMouseKey);
    std::vector<int> startFrames;
    for (int frame = 0; frame < 90; ++frame)
    {
        const std::size_t before = level.animator.played.size();
        world.Step();
        for (std::size_t index = before; index < level.animator.played.size(); ++index)
            if (level.animator.played[index].rfind("Attack", 0) == 0)
                startFrames.push_back(frame);
    }
    std::vector<std::string> attacks;
    for (const std::string& state : level.animator.played)
        if (state.rfind("Attack", 0) == 0)
            attacks.push_back(state);
    ASSERT_GE(attacks.size(), 4u);
    EXPECT_THAT(std::vector<std::string>(attacks.begin(), attacks.begin() + 4),
                ElementsAre("Attack1", "Attack2", "Attack3", "Attack1"));
    // 0.2 s, 0.2 s and 0.3 s of attack, each followed by 0.1 s of cooldown, at 60 frames a second.
    const int gaps[] = {18, 18, 24};
    for (int step = 0; step < 3; ++step)
        EXPECT_NEAR(startFrames[step + 1] - startFrames[step], gaps[step], 1) << step;
    const std::vector<std::string> sounds = world.audio.PlayedNames();
    ASSERT_GE(sounds.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(sounds.begin(), sounds.begin() + 3),
                ElementsAre("sfx_PlayerAttackSound_1", "sfx_PlayerAttackSound_2", "sfx_PlayerAttackSound_3"));
}

TEST_F(PlayerActionsTest, AnAttackPlacesTheHitBoxAndTheLeaningSlashInFrontOfThePlayer)
{
    const Vector3 facing = level.player.transform.GetRotation();
    world.input.Hold(kLeftMouseKey);
    const float leans[] = {45.0f, -45.0f, facing.z};
    for (float lean : leans)
    {
        world.factory.instantiated.clear();
        for (int frame = 0; frame < 60 && world.factory.instantiated.empty(); ++frame)
            world.Step();
        EXPECT_THAT(world.factory.instantiated, ElementsAre("melee", "feedback"));
        const FakeObject& feedback = *world.factory.Live().back();
        const FakeObject& melee = *world.factory.Live()[world.factory.Live().size() - 2];
        const Vector3 from = level.player.transform.GetPosition();
        ExpectNear(melee.transform.GetPosition(), from + level.player.transform.GetForward() * 1.5f, "hit box");
        ExpectNear(feedback.transform.GetPosition(), from + level.player.transform.GetForward(), "slash");
        EXPECT_FLOAT_EQ(feedback.transform.GetRotation().z, lean);
        EXPECT_FLOAT_EQ(feedback.transform.GetRotation().y, facing.y);
    }
}

TEST_F(PlayerActionsTest, AHitIsIgnoredWhileBlinkingDeadOrInvulnerable)
{
    struct Case
    {
        const char* what;
        PlayerController::PlayerState state;
        bool invulnerable;
    };
    const Case cases[] = {{"blinking", PlayerController::kBlinking, false},
                          {"dead", PlayerController::kDead, false},
                          {"invulnerable", PlayerController::kIdle, true}};
    for (const Case& c : cases)
    {
        controller.playerState = c.state;
        level.stats->invulnerable = c.invulnerable;
        controller.TakeDamage();
        EXPECT_EQ(controller.playerState, c.state) << c.what;
        EXPECT_EQ(PlayerStats::GetCurrHealth(), 3) << c.what;
        EXPECT_TRUE(world.audio.played.empty()) << c.what;
    }
}

TEST_F(PlayerActionsTest, AHitKillsTakesAHeartAndAfterTheDeathAndTwoSecondsThePlayerRespawnsAtTheCheckpoint)
{
    // A checkpoint knowing a rewinding floor that crumbled under the player.
    FakeObject& floorObject = world.Object("Crumbling", "Ground");
    FakeCollider& floorCollider = floorObject.Add(FakeCollider::Box({4.0f, 1.0f, 4.0f}));
    floorObject.Add<FakeMeshFilter>();
    world.Attach<CrumblingFloor>(floorObject).rewind = true;
    world.Attach<CheckPoint>(world.Object("CheckPoint"));
    world.Step();
    controller.Reload();
    world.CollisionEnter(floorObject, level.player, {});
    world.Steps(45);
    ASSERT_TRUE(floorCollider.trigger);

    PlayerPref::SetInt("currBlinkCharges", 1);
    controller.respawnPoint = {7.0f, 2.0f, -3.0f};
    level.body.velocity = {3.0f, -4.0f, 1.0f};
    level.body.SetStatic(true);
    level.animator.endFrame = 30.0f;
    world.audio.played.clear();
    const Vector3 fellAt = level.player.transform.GetPosition();
    controller.TakeDamage();
    EXPECT_EQ(controller.playerState, PlayerController::kDead);
    EXPECT_TRUE(controller.busy);
    EXPECT_EQ(level.player.Get<FakeMeshRenderer>().materials[0].name, "mainChar1Damaged");
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 2);
    EXPECT_EQ(Live("Heart2")->Get<FakeImage>().material, "HeartEmptyUI");
    EXPECT_EQ(Live("Heart1")->Get<FakeImage>().material, "");
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_PlayerHurt"));
    ASSERT_NE(Live("DamageEffect"), nullptr);
    ExpectNear(Live("DamageEffect")->transform.GetPosition(), fellAt + Vector3{0.0f, 1.0f, 0.0f}, "damage effect");
    EXPECT_FLOAT_EQ(TimerOf("DamageEffect"), 0.26f);
    EXPECT_FLOAT_EQ(level.cameraScript->shakeStrength, 0.8f);
    ASSERT_FALSE(world.input.vibrations.empty());
    EXPECT_FLOAT_EQ(world.input.vibrations.back().seconds, 0.3f);

    world.Steps(60);
    EXPECT_EQ(level.animator.state, "Death");
    EXPECT_EQ(controller.playerState, PlayerController::kDead) << "the death state is still playing";
    level.animator.currentFrame = level.animator.endFrame;
    world.Steps(119);
    EXPECT_EQ(controller.playerState, PlayerController::kDead);
    world.Steps(2);
    EXPECT_EQ(controller.playerState, PlayerController::kIdle);
    EXPECT_FALSE(controller.busy);
    EXPECT_EQ(level.player.transform.GetPosition(), Vector3(7.0f, 2.0f, -3.0f));
    EXPECT_EQ(level.player.Get<FakeMeshRenderer>().materials[0].name, "mainChar1");
    EXPECT_EQ(PlayerStats::GetCurrBlinkCharges(), 3);
    EXPECT_FALSE(floorCollider.trigger) << "the floor is back";
    EXPECT_FALSE(level.body.isStatic);
    EXPECT_FLOAT_EQ(level.body.mass, 1.0f);
    ASSERT_NE(Live("Respawn Effect"), nullptr);
    EXPECT_EQ(Live("Respawn Effect")->transform.GetPosition(), Vector3(7.0f, 3.0f, -3.0f));
    EXPECT_FLOAT_EQ(TimerOf("Respawn Effect"), 3.0f);
    EXPECT_EQ(world.audio.PlayedNames().back(), "bgm_respawn");
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 2);
}

TEST_F(PlayerActionsTest, AfterAHotReloadTheFirstDeathRespawnsWhereThePlayerWasWithItsMass)
{
    level.body.SetMass(2.5f);
    level.player.transform.SetPosition({5.0f, 1.0f, 5.0f});
    world.HotReload();
    auto& reloaded = dynamic_cast<PlayerController&>(*level.player.FindScript("PlayerController"));
    EXPECT_EQ(reloaded.respawnPoint, Vector3(5.0f, 1.0f, 5.0f));
    EXPECT_FLOAT_EQ(reloaded.savedMass, 2.5f);

    level.player.transform.SetPosition({5.0f, -3.0f, 9.0f});
    reloaded.TakeDamage();
    level.body.SetStatic(true);
    level.animator.currentFrame = level.animator.endFrame;
    world.Steps(122);
    ASSERT_EQ(reloaded.playerState, PlayerController::kIdle);
    EXPECT_EQ(level.player.transform.GetPosition(), Vector3(5.0f, 1.0f, 5.0f));
    EXPECT_FALSE(level.body.isStatic);
    EXPECT_FLOAT_EQ(level.body.GetMass(), 2.5f);
}

class GameOverTest : public PlayerActionsTest
{
protected:
    GameOverTest()
    {
        for (FakeObject* image : {&gameOver, &prompt})
            image->Add<FakeImage>().colour.w = 0.0f;
        world.factory.levelName = "Tomb";
        level.stats->AddHeartContainer();
        PlayerStats::SetCurrHealth(0);
        world.Step();
        world.audio.played.clear();
    }

    FakeObject& gameOver = world.Object("GameOver");
    FakeObject& prompt = world.Object("Continue");
};

TEST_F(GameOverTest, AtNoHeartsAHitStillKillsShowsTheGameOverAndAConfirmReloadsTheLevelWithoutTheGainedHearts)
{
    auto& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    world.Step();
    // A fade longer than the death wait, so that it still runs when the wait is over.
    fade.duration = 10.0f;
    fade.fadingIn = false;
    fade.fadingOut = false;
    controller.TakeDamage();
    EXPECT_EQ(controller.playerState, PlayerController::kDead);
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 0);
    world.Step();
    EXPECT_TRUE(controller.gameOverShown);
    EXPECT_TRUE(fade.fadingOut);
    EXPECT_FALSE(fade.fadingIn);
    EXPECT_NEAR(fade.timer, fade.duration, world.frameTime);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_PlayerHurt", "bgm_truedeath"));
    EXPECT_FLOAT_EQ(gameOver.Get<FakeImage>().GetAlpha(), 1.0f);
    EXPECT_FLOAT_EQ(prompt.Get<FakeImage>().GetAlpha(), 1.0f);
    EXPECT_EQ(prompt.Get<FakeImage>().material, "UIContinue");

    // As written: a fade-out still running when the wait is over brings the player back.
    world.Steps(125);
    EXPECT_EQ(controller.playerState, PlayerController::kIdle);

    controller.TakeDamage();
    fade.fadingOut = false;
    world.Steps(125);
    EXPECT_EQ(controller.playerState, PlayerController::kDead);
    EXPECT_TRUE(world.factory.loadedLevels.empty()) << "waits for the confirm";
    Press(kEnterKey);
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("Tomb"));
    EXPECT_EQ(PlayerStats::GetMaxHealth(), 3);
    EXPECT_EQ(PlayerStats::GetCurrHealth(), 3);
}

TEST_F(GameOverTest, WithoutAFadeTheGameOverIsReportedOnceAndTheConfirmComesAfterTheWait)
{
    world.input.gamepadConnected = true;
    controller.TakeDamage();
    const std::string reports = ReportsOf([&] { world.Steps(125); });
    EXPECT_EQ(CountOf(reports, "FadeLogic"), 1);
    EXPECT_EQ(prompt.Get<FakeImage>().material, "UIContinueC");
    world.input.HoldButton(0x1000);
    world.Step();
    EXPECT_THAT(world.factory.loadedLevels, ElementsAre("Tomb"));
}
} // namespace
