#include "fakeworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::MatchesRegex;

namespace
{
class BreakableObjectTest : public ::testing::Test
{
protected:
    BreakableObjectTest()
    {
        world.Attach<DestroyAfterSeconds>(world.Prefab("Dust"));
        crate.Place({4.0f, 0.5f, -2.0f});
        animator.endFrame = 10.0f;
        script.hits = 1;
        world.Step();
    }

    FakeWorld world;
    FakeObject& crate = world.Object("Crate", "Breakable");
    FakeAnimator& animator = crate.Add<FakeAnimator>();
    FakeCollider& collider = crate.Add(FakeCollider::Box({1.0f, 1.0f, 1.0f}));
    BreakableObject& script = world.Attach<BreakableObject>(crate);
};

TEST_F(BreakableObjectTest, ItsLastHitBreaksItIntoTimedDustAndLaterHitsAreIgnored)
{
    script.Hit();
    EXPECT_TRUE(script.broken);
    EXPECT_THAT(animator.played, ElementsAre("Break"));
    EXPECT_TRUE(collider.trigger);
    EXPECT_FALSE(collider.enabled);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_BoxBreak"));
    FakeObject* dust = world.factory.FindObject("Dust");
    ASSERT_NE(dust, nullptr);
    EXPECT_EQ(dust->transform.GetPosition(), Vector3(4.0f, 0.5f, -2.0f));
    EXPECT_FLOAT_EQ(dynamic_cast<DestroyAfterSeconds*>(dust->FindScript("DestroyAfterSeconds"))->timer, 3.0f);
    EXPECT_THAT(world.factory.registered, ElementsAre("Dust"));

    script.Hit();
    EXPECT_EQ(script.hits, 0);
    EXPECT_THAT(animator.played, ElementsAre("Break"));
    EXPECT_EQ(world.audio.played.size(), 1u);
    EXPECT_EQ(world.factory.instantiated.size(), 1u);
}

TEST_F(BreakableObjectTest, ABrokenCrateGoesOneSecondAfterItsBreakStateEnds)
{
    script.Hit();
    world.Steps(90);
    EXPECT_FALSE(crate.destroyed) << "the break state is still playing";

    animator.currentFrame = animator.endFrame;
    world.Steps(59);
    EXPECT_FALSE(crate.destroyed);
    world.Steps(2);
    EXPECT_TRUE(world.factory.WasDestroyed("Crate"));
}

TEST_F(BreakableObjectTest, EarlierHitsPlayAHitStateAndTheKeyTHitsToo)
{
    script.hits = 3;
    script.Hit();
    EXPECT_EQ(script.hits, 2);
    ASSERT_EQ(animator.played.size(), 1u);
    EXPECT_THAT(animator.played[0], MatchesRegex("Hit[1-5]"));
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_BoxHit"));
    EXPECT_FALSE(collider.trigger);

    world.input.Hold(84);
    world.Steps(3);
    EXPECT_EQ(script.hits, 1) << "one hit per press";
    world.input.Release(84);
    world.Step();
    world.input.Hold(84);
    world.Step();
    EXPECT_TRUE(script.broken);
}

TEST(BreakableObjectWithoutParts, BreaksWithoutAnimatorOrDustAndGoesAfterTheDelay)
{
    FakeWorld world;
    FakeObject& crate = world.Object("Crate", "Breakable");
    auto& script = world.Attach<BreakableObject>(crate);
    script.hits = 1;
    const std::string reports = ReportsOf([&] { world.Step(); });
    EXPECT_EQ(CountOf(reports, "\"Dust\""), 1);

    script.Hit();
    EXPECT_TRUE(world.factory.instantiated.empty());
    world.Steps(61);
    EXPECT_TRUE(world.factory.WasDestroyed("Crate"));
}
} // namespace
