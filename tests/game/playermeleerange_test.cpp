#include "fakeenemy.h"
#include "fakeworld.h"
#include "scriptlookup.h"
#include "vectornear.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using ::testing::ElementsAre;

namespace
{
class PlayerMeleeRangeTest : public ::testing::Test
{
protected:
    PlayerMeleeRangeTest()
    {
        world.Attach<DestroyAfterSeconds>(world.Prefab("Hit Effect"));
        player.Place({0.0f, 1.0f, 0.0f});
        hitBox.Place({0.0f, 1.0f, 1.5f});
        world.Step();
        world.input.vibrations.clear();
    }

    FakeObject& Target(const std::string& tag, const Vector3& position = {2.0f, 1.0f, 3.0f})
    {
        FakeObject& target = world.Object("Target" + std::to_string(++targets_), tag);
        target.Place(position);
        return target;
    }
    std::vector<FakeObject*> HitEffects() const { return world.factory.LiveNamed("Hit Effect"); }

    FakeWorld world;
    FakeObject& player = world.Object("Player", "Player");
    FakeObject& camera = world.Object("Camera");
    CameraScript& cameraScript = world.Attach<CameraScript>(camera);
    FakeObject& hitBox = world.Object("melee");
    PlayerMeleeRange& script = world.Attach<PlayerMeleeRange>(hitBox);

private:
    int targets_ = 0;
};

TEST_F(PlayerMeleeRangeTest, TheHitBoxFollowsThePlayersFrontForATenthOfASecondWhateverItTouches)
{
    player.transform.SetPosition({5.0f, 1.0f, 0.0f});
    world.Step();
    ExpectNear(hitBox.transform.GetPosition(),
               Vector3{5.0f, 1.0f, 0.0f} + player.transform.GetForward() * 1.5f, "in front of the player");
    FakeObject& first = Target("Elem");
    FakeObject& second = Target("Elem");
    world.TriggerEnter(hitBox, first, {});
    world.TriggerEnter(hitBox, second, {});
    world.Steps(3);
    EXPECT_FALSE(hitBox.destroyed);
    world.Steps(2);
    EXPECT_TRUE(world.factory.WasDestroyed("melee"));
}

TEST_F(PlayerMeleeRangeTest, EachTagItMatchesHitsOnceWithItsOwnVibrationAndAHitEffect)
{
    struct Case
    {
        const char* tag;
        int crateHits;
        int effects;
        std::vector<float> leftMotors;
    };
    const Case cases[] = {
        {"Elem", 0, 1, {0.3f}},
        {"Breakable", 1, 1, {0.6f}},
        {"BossSwitch", 1, 1, {0.6f}},
        {"BreakableBossSwitch", 2, 2, {0.6f, 0.6f}},
        {"Wall", 0, 0, {}},
    };
    // Every target carries both scripts: its tags choose what the hit box does.
    for (const Case& c : cases)
    {
        FakeObject& target = Target(c.tag);
        auto& crate = world.Attach<BreakableObject>(target);
        crate.hits = 5;
        world.Attach<BossSwitch>(target);
        const std::size_t effectsBefore = HitEffects().size();
        world.input.vibrations.clear();

        world.TriggerEnter(hitBox, target, {});
        EXPECT_EQ(5 - crate.hits, c.crateHits) << c.tag;
        EXPECT_EQ(HitEffects().size() - effectsBefore, static_cast<std::size_t>(c.effects)) << c.tag;
        std::vector<float> leftMotors;
        for (const FakeInput::Vibration& vibration : world.input.vibrations)
            leftMotors.push_back(vibration.left);
        EXPECT_EQ(leftMotors, c.leftMotors) << c.tag;
    }
}

TEST_F(PlayerMeleeRangeTest, AHitEffectStandsOnTheTargetTiltedWithinFifteenDegreesForAQuarterSecond)
{
    FakeObject& target = Target("Breakable", {-3.0f, 0.5f, 7.0f});
    world.TriggerEnter(hitBox, target, {});
    ASSERT_EQ(HitEffects().size(), 1u);
    const FakeObject& effect = *HitEffects()[0];
    EXPECT_EQ(effect.transform.GetPosition(), Vector3(-3.0f, 0.5f, 7.0f));
    for (unsigned axis = 0; axis < 3; ++axis)
    {
        EXPECT_GE(effect.transform.GetRotation()[axis], -15.0f);
        EXPECT_LE(effect.transform.GetRotation()[axis], 15.0f);
    }
    EXPECT_FLOAT_EQ(ScriptOf<DestroyAfterSeconds>(&effect)->timer, 0.25f);
    EXPECT_THAT(world.factory.registered, ElementsAre("Hit Effect"));
}

TEST_F(PlayerMeleeRangeTest, AnEnemyThatIsNoAICharacterGetsNoWriteButTheShakeVibrationAndEffectStill)
{
    FakeObject& statue = Target("Elem");
    statue.SetScript("Elem", std::make_unique<Keys>());
    world.TriggerEnter(hitBox, statue, {});
    EXPECT_EQ(HitEffects().size(), 1u);
    ASSERT_EQ(world.input.vibrations.size(), 1u);
    EXPECT_FLOAT_EQ(world.input.vibrations[0].right, 1.0f);
    EXPECT_FLOAT_EQ(world.input.vibrations[0].seconds, 0.1f);
    EXPECT_TRUE(cameraScript.shakeRunning);
    EXPECT_FLOAT_EQ(cameraScript.shakeStrength, 0.3f);
    EXPECT_FLOAT_EQ(cameraScript.shakeTime, 0.2f);

    world.TriggerEnter(hitBox, statue, {});
    EXPECT_FLOAT_EQ(cameraScript.shakeStrength, 0.45f) << "a running shake grows";
    EXPECT_FLOAT_EQ(cameraScript.shakeTime, 0.3f);
}

TEST_F(PlayerMeleeRangeTest, AnEnemyIsPushedAwayAndUpAndLosesOneHealthCappedAtItsMaximum)
{
    FakeObject& mummy = Target("Elem", {3.0f, 0.0f, 5.5f});
    FakeEnemy& enemy = AddFakeEnemy(mummy);
    enemy.health = 5;
    enemy.maxHealth = 3;
    world.TriggerEnter(hitBox, mummy, {});
    ASSERT_EQ(enemy.knockbacks.size(), 1u);
    const FakeEnemy::Push& push = enemy.knockbacks[0];
    // Away is (3, 4) / 5 on the ground, lifted by half: (0.6, 0.5, 0.8) × 150.
    const Vector3 expected{0.6f, 0.5f, 0.8f};
    ExpectNear(push.direction, expected / expected.Length(), "unit direction");
    EXPECT_NEAR(push.magnitude, 150.0f * expected.Length(), 1e-3f);
    EXPECT_FLOAT_EQ(push.duration, 0.2f);
    EXPECT_FLOAT_EQ(push.damping, 1.02f);
    EXPECT_EQ(enemy.health, 3);

    enemy.health = 0;
    world.TriggerEnter(hitBox, mummy, {});
    EXPECT_EQ(enemy.health, -1) << "the cap only ever lowers";
}

TEST_F(PlayerMeleeRangeTest, AnEnemyStraightAboveIsPushedAlongThePlayersFacing)
{
    player.transform.SetRotation({0.0f, 90.0f, 0.0f});
    FakeObject& bat = Target("Elem", {0.0f, 4.0f, 1.5f});
    FakeEnemy& enemy = AddFakeEnemy(bat);
    world.TriggerEnter(hitBox, bat, {});
    ASSERT_EQ(enemy.knockbacks.size(), 1u);
    const Vector3 forward = player.transform.GetForward();
    const Vector3 expected{forward.x, 0.5f, forward.z};
    ExpectNear(enemy.knockbacks[0].direction, expected / expected.Length(), "along the facing");
    EXPECT_TRUE(std::isfinite(enemy.knockbacks[0].magnitude));
}

TEST_F(PlayerMeleeRangeTest, AReloadedHitBoxKeepsItsForceAndLifetime)
{
    world.HotReload();
    auto* reloaded = ScriptOf<PlayerMeleeRange>(&hitBox);
    EXPECT_FLOAT_EQ(reloaded->knockbackForce, 150.0f);
    EXPECT_FLOAT_EQ(reloaded->lifetime, 0.1f);
    EXPECT_EQ(reloaded->cameraScript, ScriptOf<CameraScript>(&camera)) << "the new camera script";
}

TEST(MeleeFeedback, TheSlashGrowsToAFiftiethAndGoesAScaleAlreadyThereGoesAtOnce)
{
    FakeWorld world;
    FakeObject& slash = world.Object("feedback");
    slash.Place({}, {}, {0.01f, 0.01f, 0.01f});
    world.Attach<MeleeFeedback>(slash);
    FakeObject& big = world.Object("big");
    big.Place({}, {}, {0.06f, 0.06f, 0.06f});
    world.Attach<MeleeFeedback>(big);

    world.Step();
    EXPECT_TRUE(world.factory.WasDestroyed("big"));
    EXPECT_NEAR(slash.transform.GetScale().x, 0.01f + 0.125f / 60.0f, 1e-6f);
    EXPECT_EQ(slash.transform.GetScale().y, slash.transform.GetScale().x);
    world.Steps(18);
    EXPECT_FALSE(slash.destroyed);
    world.Step();
    EXPECT_TRUE(world.factory.WasDestroyed("feedback"));
}
} // namespace
