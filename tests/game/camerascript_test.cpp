// The third-person camera: its start behind the player, turning, the arm and the side clearance, following,
// shaking and the catch-up after a blink.
#include "fakeplayer.h"
#include "vectornear.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
class CameraScriptTest : public ::testing::Test
{
protected:
    CameraScriptTest() { world.Step(); }

    Transform& View() { return level.camera->transform; }
    HitInfo HitAt(float distance) { return HitInfo{distance, &level.floor, {}}; }

    FakeWorld world;
    FakePlayerParts parts = [] {
        FakePlayerParts turned;
        turned.position = {2.0f, 1.0f, 3.0f};
        turned.degrees = {0.0f, 90.0f, 0.0f};
        return turned;
    }();
    FakePlayerLevel level{world, parts};
    CameraScript& camera = *level.cameraScript;
};

TEST_F(CameraScriptTest, StartsAnArmBehindThePlayerTurnedAsItIsAndBecomesTheMainCamera)
{
    const Vector3 target = Vector3{2.0f, 1.0f, 3.0f} + Vector3{0.0f, 1.0f, 0.0f};
    ExpectNear(View().GetRotation(), {0.0f, -90.0f, 0.0f}, "negated rotation");
    ExpectNear(View().GetPosition(), target - level.player.transform.GetForward() * 8.0f, "eight behind");
    ExpectNear(View().GetForward(), level.player.transform.GetForward(), "looks along the player's facing", 1e-5f);
    EXPECT_EQ(world.core.mainCamera, level.camera->id);
    EXPECT_FLOAT_EQ(level.camera->Get<FakeCamera>().nearPlane, 0.5f);
    EXPECT_FLOAT_EQ(level.camera->Get<FakeCamera>().farPlane, 500.0f);
    EXPECT_FLOAT_EQ(camera.shakeStrength, 0.15f);
    EXPECT_FALSE(camera.shakeRunning);
}

TEST_F(CameraScriptTest, ThePitchStaysWithinMinusThirtyAndTen)
{
    for (const float motion : {-5000.0f, 5000.0f, 30.0f})
    {
        world.input.mouseDelta = {0.0f, motion};
        world.Steps(3);
        EXPECT_GE(View().GetRotation().x, -30.0f) << motion;
        EXPECT_LE(View().GetRotation().x, 10.0f) << motion;
    }
    world.input.gamepadConnected = true;
    world.input.mouseDelta = {};
    world.input.axes[7] = 1.0f;
    world.Steps(25);
    EXPECT_FLOAT_EQ(View().GetRotation().x, 10.0f);
}

TEST_F(CameraScriptTest, AnArmCutShortPutsTheCameraAboveThePlayerAndTheFirstSideCastWins)
{
    world.physics.AnswerAlways(RayKind::Boxes, HitAt(0.7f));
    world.Step();
    ExpectNear(camera.desiredPosition, camera.target - View().GetForward() * 0.56f, "80 % of a short arm");

    world.physics.AnswerAlways(RayKind::Boxes, HitAt(0.5f));
    world.Step();
    ExpectNear(camera.desiredPosition, level.player.transform.GetPosition() + Vector3{0.0f, 2.0f, 0.0f},
               "above the player");

    // A wall on the left: the camera steps right and the right side is not asked.
    world.physics.AnswerMiss(RayKind::Boxes);
    world.physics.AnswerAlways(RayKind::AABB, HitAt(1.0f));
    world.physics.queries.clear();
    world.Step();
    const Vector3 arm = camera.target - View().GetForward() * 8.0f;
    ExpectNear(camera.desiredPosition, arm + View().GetRight() * 1.05f, "stepped right");
    EXPECT_EQ(world.physics.QueriesOf(RayKind::AABB).size(), 1u);

    // Nothing on the left, a wall on the right: the camera steps left.
    world.physics.AnswerWith(RayKind::AABB, [&](const RayQuery& query) {
        return query.direction.Dot(View().GetRight()) > 0.0f ? HitAt(0.5f) : HitInfo{};
    });
    world.Step();
    ExpectNear(camera.desiredPosition, arm - View().GetRight() * 1.05f, "stepped left");
}

TEST_F(CameraScriptTest, ALongFrameReachesTheGoalWithoutOvershootAndASuspendedCameraStays)
{
    level.player.transform.SetPosition({20.0f, 1.0f, 3.0f});
    world.frameTime = 0.5f;
    world.Step();
    ExpectNear(View().GetPosition(), camera.desiredPosition, "at the goal, not past it");
    EXPECT_FALSE(View().GetPosition().HasNaN());

    world.frameTime = FakeWorld::kFrameTime;
    camera.suspended = true;
    const Vector3 position = View().GetPosition();
    const Vector3 rotation = View().GetRotation();
    level.player.transform.SetPosition({-5.0f, 1.0f, 0.0f});
    world.input.mouseDelta = {40.0f, 40.0f};
    world.Steps(5);
    ExpectNear(View().GetPosition(), position, "kept position", 0.0f);
    ExpectNear(View().GetRotation(), rotation, "kept rotation", 0.0f);
}

TEST_F(CameraScriptTest, ShakesFollowTheRule)
{
    struct Case
    {
        bool running;
        float strength;
        float time;
        float requestDuration;
        float requestStrength;
        float expectedStrength;
        float expectedTime;
    };
    const Case cases[] = {
        {false, 0.9f, 0.1f, 0.2f, 0.3f, 0.3f, 0.2f},   // none running: starts anew, even if weaker
        {true, 0.3f, 0.1f, 0.2f, 0.3f, 0.45f, 0.2f},   // equal: grows by half
        {true, 0.5f, 0.1f, 0.2f, 0.3f, 0.65f, 0.2f},   // weaker: grows by half
        {true, 0.3f, 0.1f, 1.5f, 0.5f, 0.5f, 1.5f},    // stronger: starts anew
    };
    for (const Case& c : cases)
    {
        camera.shakeRunning = c.running;
        camera.shakeStrength = c.strength;
        camera.shakeTime = c.time;
        camera.Shake(c.requestDuration, c.requestStrength);
        EXPECT_TRUE(camera.shakeRunning);
        EXPECT_FLOAT_EQ(camera.shakeStrength, c.expectedStrength) << c.strength << " " << c.requestStrength;
        EXPECT_FLOAT_EQ(camera.shakeTime, c.expectedTime) << c.strength << " " << c.requestStrength;
    }

    // A running shake moves the camera off its course and ends once its time is spent.
    camera.shakeRunning = true;
    camera.shakeStrength = 0.5f;
    camera.shakeTime = 0.05f;
    world.frameTime = 0.5f;
    world.Step();
    EXPECT_GT((View().GetPosition() - camera.desiredPosition).Length(), 0.0f);
    EXPECT_NEAR((View().GetPosition() - camera.desiredPosition).Length(), 0.5f, 1e-4f);
    EXPECT_FALSE(camera.shakeRunning);
}

TEST_F(CameraScriptTest, AfterABlinkTheCameraHoldsOneFrameThenSpeedsUpUntilTheCatchUpEnds)
{
    level.player.transform.SetPosition({12.0f, 1.0f, 3.0f});
    camera.blinkFollow = true;
    std::vector<float> fractions;
    for (int frame = 0; frame < 4; ++frame)
    {
        const Vector3 before = View().GetPosition();
        world.Step();
        const float wanted = (camera.desiredPosition - before).Length();
        fractions.push_back((View().GetPosition() - before).Length() / wanted);
    }
    EXPECT_FLOAT_EQ(fractions[0], 0.0f);
    for (int frame = 1; frame < 4; ++frame)
        EXPECT_NEAR(fractions[static_cast<std::size_t>(frame)], frame * FakeWorld::kFrameTime, 1e-4f) << frame;

    world.Steps(9);
    EXPECT_FALSE(camera.blinkFollow);
    EXPECT_EQ(camera.blinkFollowCounter, 0u);
    EXPECT_FLOAT_EQ(camera.blinkFollowTimer, 12.0f * FakeWorld::kFrameTime);
}
} // namespace
