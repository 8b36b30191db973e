// The library reloaded while the effects and hazards the levels spawn are under way: each goes on from where it
// was, without a report, and ends as it would have.
#include "fakeplayer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
struct EffectCase
{
    const char* script;
    // The object as its prefab makes it, placed; its script is attached after.
    std::function<void(FakeObject&)> make;
    int framesBefore;
    // Frames after the reload by which it has gone, and before which it has not.
    int goneBy;
    int notBefore;
    // What the spawner sets on the script once it is made.
    std::function<void(MonoBehaviorInterface&)> tune = [](MonoBehaviorInterface&) {};
};

// The player's level with the timed effects the effects above make.
struct EffectLevel
{
    EffectLevel()
    {
        for (const char* name : {"Impact Effect", "Hit Effect", "Fire Explosion"})
            world.Attach<DestroyAfterSeconds>(world.Prefab(name));
        world.Attach<DestroyAfterSeconds>(*world.factory.FindPrefab("Damage Effect"));
    }

    FakeWorld world;
    FakePlayerLevel level{world};
};

class EffectReload : public testing::TestWithParam<EffectCase>, public EffectLevel
{
};

TEST_P(EffectReload, GoesOnAndEndsAsWithoutTheReload)
{
    const EffectCase& effect = GetParam();
    FakeObject& object = world.Object("Effect");
    effect.make(object);
    effect.tune(world.Attach(object, effect.script));
    world.Steps(effect.framesBefore);
    ASSERT_FALSE(object.destroyed);

    const std::string reports = ReportsOf([&] {
        world.HotReload();
        world.Steps(effect.notBefore);
        EXPECT_FALSE(world.factory.WasDestroyed("Effect")) << "gone early";
        world.Steps(effect.goneBy - effect.notBefore);
    });
    EXPECT_TRUE(reports.empty()) << reports;
    EXPECT_TRUE(world.factory.WasDestroyed("Effect"));
}

void Body(FakeObject& object)
{
    object.Place({0.0f, 0.0f, 40.0f});
    object.Add<FakeRigidBody>();
    object.Add<FakeCollider>();
}

// The frame counts allow a frame or two either way. A reloaded timer without a saved value starts over; an
// armed bomb arms again at once, the player being near.
INSTANTIATE_TEST_SUITE_P(
    Effects, EffectReload,
    testing::Values(
        EffectCase{"FireBombBehaviour", Body, 10, 33, 29},
        EffectCase{"IceProjectile", Body, 10, 302, 298},
        EffectCase{"MeleeFeedback", [](FakeObject& object) { object.Place({}, {}, {0.01f, 0.01f, 0.01f}); }, 5, 17, 13},
        EffectCase{"PlayerMeleeRange", Body, 3, 8, 4},
        EffectCase{"BossChargedProjectile", Body, 60, 122, 118},
        EffectCase{"DestroyAfterSeconds", Body, 10, 52, 48,
                   [](MonoBehaviorInterface& script) { dynamic_cast<DestroyAfterSeconds&>(script).timer = 1.0f; }},
        EffectCase{"PuzzleBomb",
                   [](FakeObject& object) {
                       Body(object);
                       object.Add<FakeMeshRenderer>(std::vector<std::string>{"RaMaterial"});
                       object.Place({0.0f, 1.0f, 5.0f});
                   },
                   60, 182, 178}),
    [](const testing::TestParamInfo<EffectCase>& info) { return std::string(info.param.script); });

TEST(EffectReloadDetail, AReloadedIceProjectileIsNotThrownTwiceAndStillLeavesItsImpact)
{
    EffectLevel scene;
    FakeWorld& world = scene.world;
    FakeObject& shot = world.Object("Shot");
    Body(shot);
    world.Attach<IceProjectile>(shot);
    world.Steps(2);
    world.HotReload();
    world.Steps(2);
    EXPECT_EQ(shot.Get<FakeRigidBody>().addedForces.size(), 1u);
    FakeObject& wall = world.Object("Wall");
    world.TriggerEnter(shot, wall, {});
    EXPECT_EQ(world.factory.instantiated, std::vector<std::string>({"Range Indicator", "Stun Effect", "Impact Effect"}));
}

TEST(EffectReloadDetail, AReloadedChargerGoesOnFromWhereItIsAndAVanishedOneStillComesBack)
{
    FakeWorld world;
    FakePlayerLevel level{world};
    FakeObject& charger = world.Object("Charger");
    charger.Place({0.0f, 0.0f, 50.0f});
    charger.Add<FakeRigidBody>();
    charger.Add<FakeMeshFilter>();
    auto& script = world.Attach<ChargingEnemy>(charger);
    script.chargingDist_ = 10.0f;
    script.chargingSpeed_ = 5.0f;
    script.timeTillRespawn_ = 1.0f;
    world.Step();
    charger.transform.SetPosition({0.0f, 0.0f, 61.0f});
    world.Step();
    ASSERT_FALSE(charger.Get<FakeMeshFilter>().enabled) << "vanished past its distance";

    world.HotReload();
    world.Steps(62);
    EXPECT_TRUE(charger.Get<FakeMeshFilter>().enabled) << "came back";
    EXPECT_EQ(charger.transform.GetPosition(), Vector3(0.0f, 0.0f, 61.0f)) << "where it was at the reload";
}
} // namespace
