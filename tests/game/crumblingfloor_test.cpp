#include "fakeworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
constexpr std::uint16_t kRestoreKey = 82;

class CrumblingFloorTest : public ::testing::Test
{
protected:
    CrumblingFloorTest()
    {
        animator.endFrame = 20.0f;
        floor.Add<FakeMeshFilter>();
        script.rewind = true;
        world.Step();
    }

    // The player steps on the floor and it runs until it crumbles and its break delay is out.
    void StepOnAndCrumble()
    {
        world.CollisionEnter(floor, player, {});
        world.Steps(31 + 13);
    }

    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    FakeObject& floor = world.Object("Floor", "Ground");
    FakeAnimator& animator = floor.Add<FakeAnimator>();
    FakeCollider& collider = floor.Add(FakeCollider::Box({4.0f, 1.0f, 4.0f}));
    FakeParticleSystem& particles = floor.Add<FakeParticleSystem>();
    CrumblingFloor& script = world.Attach<CrumblingFloor>(floor);
};

TEST_F(CrumblingFloorTest, ATimerOfZeroWaitsHalfASecondThenItBreaksAndLetsThePlayerThroughAfterTheDelay)
{
    FakeObject& other = world.Object("Floor2", "Ground");
    auto& zero = world.Attach<CrumblingFloor>(other);
    zero.timer = 0.0f;
    world.Step();
    EXPECT_FLOAT_EQ(zero.timer, 0.5f);
    EXPECT_FLOAT_EQ(zero.startTimer, 0.5f);

    world.CollisionEnter(floor, world.Object("Crate", "Breakable"), {});
    world.Steps(60);
    EXPECT_FALSE(script.triggered) << "only a player sets it off";

    world.CollisionEnter(floor, player, {});
    EXPECT_TRUE(script.triggered);
    EXPECT_THAT(animator.played, ElementsAre("Shake"));
    EXPECT_TRUE(particles.playing);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_GroundShake"));

    world.Steps(29);
    EXPECT_FALSE(script.crumbled);
    EXPECT_THAT(animator.played, ElementsAre("Shake"));
    world.Steps(2);
    EXPECT_TRUE(script.crumbled);
    EXPECT_THAT(animator.played, ElementsAre("Shake", "Break"));
    world.Steps(9);
    EXPECT_FALSE(collider.trigger);
    world.Steps(3);
    EXPECT_TRUE(collider.trigger);
    world.Steps(30);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_GroundShake", "sfx_GroundBreaking"));
    EXPECT_THAT(animator.played, ElementsAre("Shake", "Break")) << "a playing break state is not restarted";
}

TEST_F(CrumblingFloorTest, TheMeshGoesWhenTheBreakStateEndsAndTheGamepadRumblesUnderThePlayer)
{
    StepOnAndCrumble();
    EXPECT_TRUE(floor.Get<FakeMeshFilter>().enabled);
    animator.currentFrame = animator.endFrame;
    world.Step();
    EXPECT_FALSE(floor.Get<FakeMeshFilter>().enabled);

    world.CollisionStay(floor, player, {});
    ASSERT_EQ(world.input.vibrations.size(), 1u);
    EXPECT_FLOAT_EQ(world.input.vibrations[0].left, 0.8f);
    EXPECT_FLOAT_EQ(world.input.vibrations[0].right, 0.8f);
    EXPECT_FLOAT_EQ(world.input.vibrations[0].seconds, world.frameTime);
}

TEST_F(CrumblingFloorTest, RestoreReturnsAFloorThatRewindsToItsFirstStateAndItCrumblesAgain)
{
    StepOnAndCrumble();
    animator.currentFrame = animator.endFrame;
    world.Step();

    script.Restore();
    EXPECT_FALSE(script.triggered || script.crumbled || script.soundPlayed);
    EXPECT_FALSE(collider.trigger);
    EXPECT_TRUE(floor.Get<FakeMeshFilter>().enabled);
    EXPECT_EQ(animator.state, "Idle");
    EXPECT_TRUE(particles.stopped);
    EXPECT_FLOAT_EQ(script.timer, 0.5f);
    EXPECT_FLOAT_EQ(script.breakDelay, 0.2f);

    world.audio.played.clear();
    StepOnAndCrumble();
    EXPECT_TRUE(collider.trigger);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_GroundShake", "sfx_GroundBreaking"));
}

TEST_F(CrumblingFloorTest, AFloorWithoutRewindStaysGoneAndTheKeyRRestoresOnlyACrumbledOne)
{
    world.input.Hold(kRestoreKey);
    world.CollisionEnter(floor, player, {});
    world.Step();
    world.input.Release(kRestoreKey);
    EXPECT_TRUE(script.triggered) << "before it crumbles the key does nothing";

    StepOnAndCrumble();
    world.input.Hold(kRestoreKey);
    world.Step();
    EXPECT_FALSE(script.triggered);
    EXPECT_FALSE(collider.trigger);

    world.input.Release(kRestoreKey);
    script.rewind = false;
    StepOnAndCrumble();
    script.Restore();
    EXPECT_TRUE(script.crumbled);
    EXPECT_TRUE(collider.trigger);
}
} // namespace
