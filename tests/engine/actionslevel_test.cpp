// The player's actions played on the engine and the built game library, in the player fixture level: the
// scarab and the crate, the blink over open floor and past a ledge, the crumbling floor over the pit.
#include "levelrunner.h"
#include "vectornear.h"

#include "c_image.h"
#include "colliderinterface.h"
#include "meshfilterinterface.h"
#include "rigidbodyinterface.h"
#include "transforminterface.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
class ActionsLevel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_UNLESS_LEVELS_CAN_RUN();
        runner = std::make_unique<LevelRunner>("player", "Player");
    }

    // Puts the player there, facing +z, at rest, as if the level had placed it so.
    void PlacePlayer(const Vector3& position)
    {
        GameObject& player = runner->Object("Player");
        player.GetTransform()->SetPosition(position);
        player.GetTransform()->SetRotation({0.0f, 0.0f, 0.0f});
        player.GetRigidBody()->GetVelocity() = {};
    }
    bool Exists(const std::string& name) const { return runner->Factory().FindObject(name) != nullptr; }
    // Frames until the test holds, at most the given number; how many it took (more than the most: never).
    template <class Test>
    int FramesUntil(int most, Test test)
    {
        for (int frame = 1; frame <= most; ++frame)
        {
            runner->Frames(1);
            if (test())
                return frame;
        }
        return most + 1;
    }
    // The player, placed there and settled, blinks along +z: how far it went over the ground.
    float BlinkFrom(const Vector3& position)
    {
        PlacePlayer(position);
        runner->Frames(20);
        const Vector3 before = runner->Position("Player");
        runner->Hold(SDLK_LSHIFT);
        runner->Frames(1);
        runner->Let(SDLK_LSHIFT);
        runner->Frames(12);
        const Vector3 after = runner->Position("Player");
        return Vector3{after.x - before.x, 0.0f, after.z - before.z}.Length();
    }

    std::unique_ptr<LevelRunner> runner;
};

TEST_F(ActionsLevel, TheScarabUnlocksTheAttackThatBreaksTheCrateAndTheBlinkGoesSixUnitsOnOpenFloorAndPastALedge)
{
    PlacePlayer({-10.0f, 1.0f, -10.0f});
    EXPECT_LT(FramesUntil(30, [&] { return !Exists("Scarab"); }), 31) << "the player starts inside its trigger";

    runner->Frames(20);
    runner->HoldMouse();
    EXPECT_LE(FramesUntil(10, [&] { return runner->AnimationState("Crate") == "Break"; }), 10)
        << "one attack beside the crate breaks it";
    runner->LetMouse();
    // The break state's 30 frames at 30 a second, then 1 s.
    const int gone = FramesUntil(200, [&] { return !Exists("Crate"); });
    EXPECT_NEAR(gone, 120, 6);

    EXPECT_NEAR(BlinkFrom({8.0f, 1.0f, -10.0f}), 6.0f, 0.15f) << "open floor";
    EXPECT_NEAR(BlinkFrom({8.0f, 1.0f, 17.0f}), 6.0f, 0.15f) << "past the floor's edge, 3 units ahead";
    EXPECT_GT(runner->Position("Player").z, 20.0f);
}

TEST_F(ActionsLevel, ThePlayerFallsThroughTheCrumblingFloorIntoThePitDiesAndRespawnsAtTheCheckpointWithTheFloorBack)
{
    PlacePlayer({-15.0f, 6.2f, 5.0f});
    GameObject& floor = runner->Object("CrumblingFloor");
    const int dead = FramesUntil(180, [&] { return runner->AnimationState("Player") == "Death"; });
    ASSERT_LE(dead, 180) << "the floor gives way and the pit kills";
    EXPECT_TRUE(floor.GetCollider()->IsTrigger());
    EXPECT_EQ(dynamic_cast<Image&>(*runner->Object("Heart2").GetImage()).GetMaterial().name, "HeartEmptyUI");

    const int back = FramesUntil(300, [&] { return runner->AnimationState("Player") != "Death"; });
    ASSERT_LE(back, 300);
    ExpectNear(runner->Position("Player"), Vector3{-15.0f, 6.5f, 5.0f} + Vector3{3.0f, 5.0f, 0.0f}, "at the checkpoint",
               0.5f);
    EXPECT_FALSE(floor.GetCollider()->IsTrigger());
    EXPECT_TRUE(floor.GetMeshFilter()->IsEnabled());
}
} // namespace
