// The player's movement: start, camera-relative input, acceleration and deceleration, the air, the ground
// contact, the jump and the velocity written every frame.
#include "fakeplayer.h"
#include "playerpref.h"
#include "scriptlookup.h"
#include "vectornear.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using ::testing::ElementsAre;

namespace
{
using State = PlayerController::PlayerState;

class PlayerControllerTest : public ::testing::Test
{
protected:
    PlayerControllerTest()
    {
        world.Step();
        level.Ground();
    }

    float Speed() const { return level.controller.currentSpeed; }
    void Hold(float sideways, float ahead)
    {
        world.input.axes[0] = sideways;
        world.input.axes[1] = ahead;
    }

    FakeWorld world;
    FakePlayerLevel level{world};
    PlayerController& player = level.controller;
};

TEST(PlayerControllerStart, TakesTheTuningAndParksTheRangeIndicatorAndStunEffectBelowTheLevel)
{
    FakeWorld fresh;
    FakePlayerLevel other(fresh);
    other.body.mass = 2.5f;
    fresh.Step();
    EXPECT_EQ(other.controller.playerState, State::kMidair);
    EXPECT_FLOAT_EQ(other.controller.savedMass, 2.5f);
    EXPECT_FLOAT_EQ(other.body.gravityScale, 3.0f);
    ExpectNear(other.controller.halfHeightOffset, {0.0f, 1.0f, 0.0f}, "half the capsule");
    ExpectNear(other.controller.respawnPoint, {0.0f, 1.0f, 0.0f}, "where it started");
    EXPECT_EQ(other.controller.stateNames.size(), 10u);
    EXPECT_EQ(other.controller.stateNames[9], "DEAD");
    EXPECT_THAT(fresh.factory.registered, ElementsAre("Range Indicator", "Stun Effect"));
    ASSERT_NE(other.controller.rangeIndicator.Get(), nullptr);
    ExpectNear(other.controller.rangeIndicator.Get()->GetTransform()->GetPosition(), {0.0f, -1000.0f, 0.0f}, "parked");
    ExpectNear(other.controller.stunEffect.Get()->GetTransform()->GetPosition(), {0.0f, -1000.0f, 0.0f}, "parked");
    EXPECT_EQ(other.controller.rangeIndicator.Get()->GetMeshRenderer()->GetMaterialName(0), "Range Indicator");
    EXPECT_EQ(other.controller.cameraScript, other.cameraScript);
    EXPECT_EQ(other.controller.stats, other.stats);
}

TEST_F(PlayerControllerTest, OnTheGroundTheSpeedRisesToFourteenInAFifthOfASecondTwiceAndFallsInAFifth)
{
    ASSERT_EQ(player.playerState, State::kIdle);
    // What the first frame, in the air, gathered.
    player.accelTimer = 0.0f;
    Hold(0.0f, 1.0f);
    world.Steps(12);
    EXPECT_EQ(player.playerState, State::kMoving);
    EXPECT_NEAR(Speed(), 7.0f, 1e-3f);
    world.Steps(12);
    EXPECT_NEAR(Speed(), 14.0f, 1e-4f);
    EXPECT_EQ(level.animator.state, "Run");
    EXPECT_EQ(level.audioSource.clip, "sfx_footsteps");
    EXPECT_FLOAT_EQ(level.animator.GetStateSpeed("Run"), 1.5f);

    // Released: the frame that notices switches to IDLE, then the speed falls by 14 / 0.2 per second.
    Hold(0.0f, 0.0f);
    world.Step();
    EXPECT_EQ(player.playerState, State::kIdle);
    world.Steps(6);
    EXPECT_NEAR(Speed(), 7.0f, 0.05f);
    EXPECT_NEAR(player.accelTimer, 0.4f * std::pow(0.3f, 6.0f), 1e-6f);
    world.Steps(6);
    EXPECT_FLOAT_EQ(Speed(), 0.0f);
    EXPECT_EQ(level.animator.state, "Idle");
}

TEST_F(PlayerControllerTest, InTheAirTheSpeedIsCappedAtNinePointEightAndRisesAtHalfRate)
{
    player.playerState = State::kMidair;
    player.grounded = false;
    player.accelTimer = 0.0f;
    Hold(0.0f, 1.0f);
    world.Steps(24);
    EXPECT_EQ(player.playerState, State::kMidair);
    EXPECT_NEAR(Speed(), 4.9f, 1e-3f);
    world.Steps(30);
    EXPECT_NEAR(Speed(), 9.8f, 1e-4f);
    EXPECT_EQ(level.animator.state, "Midair");
}

TEST_F(PlayerControllerTest, OnlyAFlatGroundContactGroundsAndItNeverEndsADeathOrABlink)
{
    struct Case
    {
        State before;
        std::string tag;
        Vector3 normal;
        bool grounds;
        State after;
    };
    const Case cases[] = {
        {State::kMidair, "Ground", {0.0f, 1.0f, 0.0f}, true, State::kIdle},
        {State::kMidair, "Ground", {0.0f, 0.9999f, 0.01f}, false, State::kMidair},
        {State::kMidair, "Grounds", {0.0f, 1.0f, 0.0f}, false, State::kMidair},
        {State::kMidair, "Ground", {0.0f, -1.0f, 0.0f}, false, State::kMidair},
        {State::kDead, "Ground", {0.0f, 1.0f, 0.0f}, true, State::kDead},
        {State::kBlinking, "Ground", {0.0f, 1.0f, 0.0f}, true, State::kBlinking},
    };
    for (const Case& c : cases)
    {
        player.grounded = false;
        player.playerState = c.before;
        level.floor.tag = c.tag;
        world.CollisionStay(level.player, level.floor, {c.normal, 0.01f});
        EXPECT_EQ(player.grounded, c.grounds) << c.tag << " " << c.normal.y;
        EXPECT_EQ(player.playerState, c.after) << c.tag << " " << c.normal.y;
    }
    // Leaving the ground, by a collision's end or a trigger's stay.
    level.floor.tag = "Ground";
    world.CollisionExit(level.player, level.floor);
    EXPECT_FALSE(player.grounded);
    player.grounded = true;
    world.TriggerStay(level.player, level.floor, {});
    EXPECT_FALSE(player.grounded);
}

TEST_F(PlayerControllerTest, AJumpFromRestGoesStraightUpAndOnlyFromTheGround)
{
    world.input.axes[2] = 1.0f;
    world.Step();
    EXPECT_EQ(player.playerState, State::kMidair);
    ASSERT_EQ(level.body.velocityRequests.size(), 2u);
    ExpectNear(level.body.LastVelocityRequest(), {0.0f, std::sqrt(19.62f) * 2.8333333f, 0.0f}, "straight up", 1e-4f);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_jump"));
    EXPECT_FLOAT_EQ(world.audio.played[0].volume, 0.02f);
    EXPECT_EQ(level.animator.state, "Jump");

    // In the air, even touching the ground, no second jump.
    world.Step();
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_jump"));

    // A moving jump keeps the direction of travel, divided by the mass.
    player.playerState = State::kIdle;
    level.body.mass = 2.0f;
    level.body.velocity = {3.0f, 0.0f, 4.0f};
    world.Step();
    ExpectNear(level.body.LastVelocityRequest(), {0.6f, std::sqrt(19.62f) * 2.8333333f / 2.0f, 0.8f}, "kept", 1e-4f);
}

TEST_F(PlayerControllerTest, TheVelocityWrittenKeepsTheVerticalSpeedWithinTwentyAndNeverNaN)
{
    for (const float fall : {-50.0f, 35.0f, -7.0f})
    {
        level.body.velocity = {0.0f, fall, 0.0f};
        world.Step();
        EXPECT_FLOAT_EQ(level.body.LastVelocityRequest().y, std::clamp(fall, -20.0f, 20.0f)) << fall;
    }
    const std::size_t written = level.body.velocityRequests.size();
    level.body.velocity = {0.0f, NAN, 0.0f};
    const std::string reports = ReportsOf([&] { world.Step(); });
    EXPECT_EQ(CountOf(reports, "not a number"), 1) << reports;
    EXPECT_EQ(level.body.velocityRequests.size(), written);
}

TEST_F(PlayerControllerTest, NearTheGroundAFallPlaysLand)
{
    struct Case
    {
        float distance;
        std::string tag;
        std::string animation;
    };
    const Case cases[] = {{10.0f, "Ground", "Land"}, {20.0f, "Ground", "Midair"}, {1.0f, "Wall", "Midair"}};
    for (const Case& c : cases)
    {
        player.playerState = State::kMidair;
        player.grounded = false;
        level.animator.state = "Midair";
        level.floor.tag = c.tag;
        level.body.velocity = {0.0f, -10.0f, 0.0f};
        world.physics.AnswerAlways(RayKind::AABB, HitInfo{c.distance, &level.floor, {}});
        world.physics.queries.clear();
        world.Step();
        EXPECT_EQ(level.animator.state, c.animation) << c.distance << " " << c.tag;
        // The player's ray comes first: its object updates before the camera's.
        const std::vector<RayQuery> down = world.physics.QueriesOf(RayKind::AABB);
        ASSERT_FALSE(down.empty());
        ExpectNear(down.front().direction, {0.0f, -1.5f, 0.0f}, "radius and half the height down");
    }
}

TEST_F(PlayerControllerTest, ThePlayerFacesTheWayItMovesRelativeToTheCamera)
{
    // The camera looks along the player's facing at start: ahead is the camera's forward.
    const Vector3 ahead = level.camera->transform.GetForward();
    const Vector3 right = level.camera->transform.GetRight();
    struct Case
    {
        float sideways;
        float forward;
        Vector3 direction;
    };
    const Case cases[] = {{0.0f, 1.0f, ahead}, {0.0f, -1.0f, -ahead}, {1.0f, 0.0f, -right}, {-1.0f, 0.0f, right}};
    for (const Case& c : cases)
    {
        Hold(c.sideways, c.forward);
        world.Step();
        ExpectNear(player.moveDirection, c.direction, "moves", 1e-5f);
        ExpectNear(level.player.transform.GetForward(), c.direction, "faces", 1e-5f);
    }
    Hold(1.0f, 1.0f);
    world.Step();
    EXPECT_NEAR(player.moveDirection.Length(), 1.0f, 1e-5f);
    EXPECT_NEAR(player.runAnimSpeed, std::sqrt(2.0f) * 1.5f, 1e-5f);
}

TEST(PlayerControllerAlone, ALevelWithoutCameraPrefabsOrStatsIsReportedAndRunsOn)
{
    FakeWorld world;
    FakePlayerParts parts;
    parts.camera = false;
    parts.prefabs = false;
    parts.stats = false;
    FakePlayerLevel level(world, parts);
    const std::string reports = ReportsOf([&] { world.Step(); });
    EXPECT_EQ(CountOf(reports, "no object \"Camera\""), 1) << reports;
    EXPECT_EQ(CountOf(reports, "no prefab"), 8) << reports;
    EXPECT_EQ(CountOf(reports, "no PlayerStats"), 1) << reports;

    level.Ground();
    world.input.axes[1] = 1.0f;
    PlayerPref::SetInt("currBlinkCharges", 0);
    PlayerPref::SetInt("maxBlinkCharges", 3);
    world.input.Hold(0x10);
    EXPECT_EQ(ReportsOf([&] { world.Steps(200); }), "");
    EXPECT_EQ(level.controller.playerState, PlayerController::kIdle);
    EXPECT_TRUE(world.factory.registered.empty());
}

TEST_F(PlayerControllerTest, AfterAHotReloadThePlayerHasItsPartnersAndStillWalks)
{
    const std::string reports = ReportsOf([&] { world.HotReload(); });
    EXPECT_EQ(reports, "");
    auto& reloaded = dynamic_cast<PlayerController&>(*level.player.FindScript("PlayerController"));
    EXPECT_EQ(reloaded.comboIndex, 1);
    EXPECT_EQ(reloaded.stats, ScriptOf<PlayerStats>(&level.player));
    EXPECT_NE(reloaded.cameraScript, nullptr);
    level.Ground();
    Hold(0.0f, 1.0f);
    world.Steps(30);
    EXPECT_NE(reloaded.cameraScript, nullptr);
    EXPECT_NE(reloaded.stats, nullptr);
    EXPECT_NEAR(reloaded.currentSpeed, 14.0f, 1e-4f);
    EXPECT_GT(level.body.LastVelocityRequest().Dot(level.camera->transform.GetForward()), 13.0f);
}
} // namespace
