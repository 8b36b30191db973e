// The boss arena's small scripts: the switch's shield, hits and break, the boss's beam and the door.
#include "bossarena.h"
#include "gameservices.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "vectornear.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

namespace
{
class BossSwitchTest : public ::testing::Test
{
protected:
    BossSwitchTest() : pylon(arena.AddSwitch("Pylon", {10.0f, 0.0f, 0.0f})), bossSwitch(arena.SwitchOf(pylon))
    {
        arena.world.Step();
    }

    FakeWorld& World() { return arena.world; }
    FakeObject* Shield() { return World().factory.FindObject("PillarShield"); }
    bool ShieldShown() { return Shield() && Shield()->Get<FakeMeshFilter>().enabled; }
    std::vector<std::string> SoundsOf(const std::function<void()>& code)
    {
        World().audio.played.clear();
        code();
        return World().audio.PlayedNames();
    }
    void Hits(int count)
    {
        for (int hit = 0; hit < count; ++hit)
            bossSwitch.Hit();
    }
    // The shield breaks and the switch runs one frame, in which the shield goes.
    void BreakShield()
    {
        bossSwitch.BreakShield();
        World().Step();
    }

    BossArena arena;
    FakeObject& pylon;
    BossSwitch& bossSwitch;
};

TEST_F(BossSwitchTest, StartsShieldedWithChainsAndAMirrorTurnedAwayFromTheBoss)
{
    EXPECT_EQ(bossSwitch.health, 5);
    EXPECT_EQ(bossSwitch.healthMax_, 5);
    EXPECT_TRUE(ShieldShown());
    ExpectNear(Shield()->transform.GetPosition(), {10.0f, 2.5f, 0.0f}, "shield");
    const FakeParticleSystem& particles = pylon.Get<FakeParticleSystem>();
    EXPECT_TRUE(particles.playing);
    EXPECT_EQ(particles.duration, 0.5f);
    EXPECT_EQ(particles.startLifetime, 0.5f);
    // Away from the boss is +x: atan2(0, 10) = 0, so the yaw is -90.
    FakeObject* chains = World().factory.FindObject("ParticlesChains");
    FakeObject* mirror = World().factory.FindObject("Mirror_");
    ASSERT_TRUE(chains && mirror);
    ExpectNear(chains->transform.GetRotation(), {-22.5f, -90.0f, 0.0f}, "chains turned");
    ExpectNear(mirror->transform.GetRotation(), {-22.5f, -90.0f, 0.0f}, "mirror turned");
    ExpectNear(chains->transform.GetPosition(), {10.0f, 4.0f, 0.0f}, "chains");
    ExpectNear(mirror->transform.GetPosition(), {10.0f, 2.5f, 1.5f}, "mirror in front of the switch");
    EXPECT_THAT(World().factory.registered, ::testing::IsSupersetOf({"ParticlesChains", "Mirror_", "PillarShield"}));
}

TEST_F(BossSwitchTest, AHitWhileShieldedOnlySounds)
{
    EXPECT_THAT(SoundsOf([&] { bossSwitch.Hit(); }), ElementsAre("sfx_pylonHitWithShield"));
    EXPECT_EQ(World().audio.played[0].volume, 0.08f);
    EXPECT_EQ(bossSwitch.health, 5);
    EXPECT_FALSE(bossSwitch.flashing);
}

TEST_F(BossSwitchTest, TheBeamTakesTheShieldAwayAndEachHitThenCostsAFifthAndFlashesRed)
{
    EXPECT_THAT(SoundsOf([&] { BreakShield(); }), ElementsAre("sfx_SpellBreak"));
    EXPECT_EQ(Shield(), nullptr);

    EXPECT_THAT(SoundsOf([&] { bossSwitch.Hit(); }), ElementsAre("sfx_pylonHit"));
    EXPECT_EQ(bossSwitch.health, 4);
    // 4 / 5 in floats: an integer division would give 0.
    const FakeParticleSystem& particles = pylon.Get<FakeParticleSystem>();
    EXPECT_EQ(particles.emissionRate, 8);
    EXPECT_EQ(particles.colourMinAlpha, 204.0f);
    EXPECT_EQ(particles.colourMaxAlpha, 204.0f);
    EXPECT_EQ(pylon.Get<FakeMeshRenderer>().materials[0].name, "red");

    // It wobbles within 2 degrees while it flashes, then rests again with its own material.
    World().Step();
    const Vector3 wobble = pylon.transform.GetRotation();
    EXPECT_TRUE(wobble.x != 0.0f || wobble.z != 0.0f);
    EXPECT_LE(std::fabs(wobble.x), 2.0f);
    EXPECT_LE(std::fabs(wobble.z), 2.0f);
    EXPECT_EQ(wobble.y, 0.0f);
    World().Steps(25);
    EXPECT_FALSE(bossSwitch.flashing);
    EXPECT_EQ(pylon.Get<FakeMeshRenderer>().materials[0].name, "stone");
    EXPECT_EQ(pylon.transform.GetRotation(), Vector3());
}

TEST_F(BossSwitchTest, TheFifthHitBreaksItAndLaterHitsOnlySound)
{
    BreakShield();
    Hits(4);
    EXPECT_THAT(SoundsOf([&] { bossSwitch.Hit(); }), ElementsAre("sfx_pylonBreak"));
    EXPECT_TRUE(bossSwitch.broken);
    EXPECT_EQ(pylon.Get<FakeAnimator>().state, "Default5");
    EXPECT_TRUE(World().factory.WasDestroyed("ParticlesChains"));
    EXPECT_TRUE(pylon.Get<FakeParticleSystem>().stopped);
    const FakeRigidBody& mirror = World().factory.FindObject("Mirror_")->Get<FakeRigidBody>();
    EXPECT_FALSE(mirror.isStatic);
    EXPECT_EQ(mirror.mass, 1.0f);
    ASSERT_EQ(mirror.addedForces.size(), 1u);
    const Vector3 force = mirror.addedForces[0];
    EXPECT_EQ(force.y, 500.0f);
    EXPECT_TRUE(force.x >= 30.0f && force.x <= 80.0f && force.z >= 30.0f && force.z <= 80.0f);

    // Below 0 the particles get no negative rate or alpha.
    EXPECT_THAT(SoundsOf([&] { bossSwitch.Hit(); }), ElementsAre("sfx_pylonHit"));
    EXPECT_EQ(bossSwitch.health, -1);
    EXPECT_EQ(pylon.Get<FakeParticleSystem>().emissionRate, 0);
    EXPECT_EQ(pylon.Get<FakeParticleSystem>().colourMaxAlpha, 0.0f);

    // A broken switch keeps no shield, and its mirror goes 8 s later.
    World().Step();
    EXPECT_EQ(Shield(), nullptr);
    World().Steps(8 * 60 - 3);
    EXPECT_NE(World().factory.FindObject("Mirror_"), nullptr);
    World().Steps(4);
    EXPECT_EQ(World().factory.FindObject("Mirror_"), nullptr);
}

TEST_F(BossSwitchTest, TheReturningShieldBlinksFasterAndFasterAndIsSolidWhenTheTimeRunsOut)
{
    BreakShield();
    // The frame the shield came back (hidden), then every frame its visibility flipped.
    std::vector<int> changes;
    bool shown = false;
    for (int frame = 1; frame <= 8 * 60 + 5; ++frame)
    {
        World().Step();
        if (Shield() && changes.empty())
        {
            changes.push_back(frame);
            // Half way through it is back, hidden, and does not protect yet.
            EXPECT_FALSE(ShieldShown());
            EXPECT_TRUE(bossSwitch.shieldDown);
            EXPECT_NEAR(frame, 4 * 60, 2);
        }
        else if (Shield() && ShieldShown() != shown)
        {
            shown = !shown;
            changes.push_back(frame);
        }
    }
    ASSERT_GE(changes.size(), 8u);
    // A flip comes on the frame after the blink timer passed the interval: 0.25 s, then 0.8 times less each.
    float interval = 0.25f;
    for (std::size_t at = 1; at < changes.size() && interval * 60.0f > 2.0f; ++at, interval *= 0.8f)
        EXPECT_NEAR(changes[at] - changes[at - 1], interval * 60.0f + 1.5f, 1.0f) << "flip " << at;
    EXPECT_FALSE(bossSwitch.shieldDown);
    EXPECT_TRUE(ShieldShown());
    EXPECT_THAT(SoundsOf([&] { bossSwitch.Hit(); }), ElementsAre("sfx_pylonHitWithShield"));
}

TEST_F(BossSwitchTest, ALaterBreakLeavesTheReturnedShieldInPlaceUntilItBlinks)
{
    BreakShield();
    World().Steps(8 * 60 + 5);
    FakeObject* returned = Shield();
    ASSERT_NE(returned, nullptr);
    BreakShield();
    World().Steps(60);
    EXPECT_EQ(Shield(), returned);
    bossSwitch.Hit();
    EXPECT_EQ(bossSwitch.health, 4);
}

TEST_F(BossSwitchTest, AfterAHotReloadItKeepsItsOwnPartsAndLookAndABrokenOneStaysBroken)
{
    FakeObject& other = arena.AddSwitch("Far Pylon", {-30.0f, 0.0f, 0.0f});
    World().Step();
    World().HotReload();
    const auto& reloaded = arena.SwitchOf(pylon);
    EXPECT_EQ(reloaded.shield.Get(), Shield()) << "the one over this switch";
    ASSERT_NE(reloaded.mirror.Get(), nullptr);
    ExpectNear(reloaded.mirror.Get()->GetTransform()->GetPosition(), {10.0f, 2.5f, 0.0f}, "its mirror", 2.0f);
    EXPECT_EQ(reloaded.baseMaterial, "stone");
    EXPECT_EQ(reloaded.baseEmissionRate, 10);
    EXPECT_EQ(reloaded.health, 5);
    World().Steps(3);
    EXPECT_EQ(World().factory.LiveNamed("PillarShield").size(), 2u) << "no second shield for either";

    arena.SwitchOf(other).BreakShield();
    World().Step();
    for (int hit = 0; hit < 5; ++hit)
        arena.SwitchOf(other).Hit();
    ASSERT_TRUE(arena.SwitchOf(other).broken);
    World().HotReload();
    EXPECT_TRUE(arena.SwitchOf(other).broken);
    EXPECT_FALSE(arena.SwitchOf(pylon).broken);
}

TEST_F(BossSwitchTest, ThePlayersMeleeHitBoxReachingItHitsIt)
{
    FakeObject& hitBox = World().Object("melee");
    World().Attach<PlayerMeleeRange>(hitBox);
    World().Step();
    World().TriggerEnter(hitBox, pylon, {});
    EXPECT_EQ(bossSwitch.health, 5) << "shielded";
    BreakShield();
    World().TriggerEnter(hitBox, pylon, {});
    EXPECT_EQ(bossSwitch.health, 4);
}

TEST_F(BossSwitchTest, BreakablesThatTouchItAreDestroyed)
{
    FakeObject& pot = arena.world.Object("Pot", "Breakable");
    FakeObject& rock = arena.world.Object("Rock", "Ground");
    World().CollisionEnter(pylon, pot, {});
    World().TriggerEnter(pylon, rock, {});
    EXPECT_THAT(World().factory.destroyed, ElementsAre("Pot"));
}

class BossBeamTest : public ::testing::Test
{
protected:
    // A beam as the boss leaves it: placed and aimed before its own Start runs.
    BossChargedProjectile& Fire(const Vector3& direction)
    {
        ObjectFactoryInterface& factory = *gServices.factory;
        GameObjectInterface* beam = factory.Instantiate("BeamProjectile", factory.FindPrefab("BeamProjectile")->GetID());
        factory.Register(beam);
        beam->GetTransform()->SetPosition({0.0f, 1.0f, 0.0f});
        auto& projectile = *ScriptOf<BossChargedProjectile>(beam);
        projectile.direction = direction;
        projectile.speed = 7.0f;
        return projectile;
    }

    BossArena arena;
};

TEST_F(BossBeamTest, StretchesAtSpeed120ThinsOutAndGoesAfterTwoSeconds)
{
    BossChargedProjectile& beam = Fire({0.0f, 0.0f, 1.0f});
    auto& object = dynamic_cast<FakeObject&>(*beam.owner);
    arena.world.Step();
    EXPECT_EQ(beam.speed, 120.0f);
    // Each frame the beam grows 2 units and moves 80 / 60 along its direction, until it reaches its length.
    struct Expected
    {
        int frame;
        float length;
        float forward;
        float width;
    };
    const Expected table[] = {
        {1, 3.0f, 4.0f / 3.0f, 119.0f / 120.0f},
        {20, 41.0f, 80.0f / 3.0f, 100.0f / 120.0f},
        {60, 41.0f, 80.0f / 3.0f, 60.0f / 120.0f},
    };
    int frame = 1;
    for (const Expected& row : table)
    {
        for (; frame < row.frame; ++frame)
            arena.world.Step();
        EXPECT_NEAR(object.transform.GetScale().z, row.length, 1e-3f) << "frame " << row.frame;
        EXPECT_NEAR(object.transform.GetPosition().z, row.forward, 1e-3f) << "frame " << row.frame;
        EXPECT_NEAR(object.transform.GetScale().x, row.width, 1e-3f) << "frame " << row.frame;
    }
    arena.world.Steps(120 - frame - 1);
    EXPECT_NE(arena.world.factory.FindObject("BeamProjectile"), nullptr);
    arena.world.Steps(2);
    EXPECT_EQ(arena.world.factory.FindObject("BeamProjectile"), nullptr);
}

TEST_F(BossBeamTest, HurtsThePlayerUnderTheGreenScreenAndBreaksShieldsOfSwitches)
{
    FakeObject& screen = arena.world.Object("GreenScreen");
    screen.Add<FakeCanvas>().enabled = false;
    FakeObject& pylon = arena.AddSwitch("Pylon", {10.0f, 0.0f, 0.0f});
    FakeObject& post = arena.world.Object("Post", "Switch");
    BossChargedProjectile& beam = Fire({1.0f, 0.0f, 0.0f});
    arena.world.Step();
    auto& object = dynamic_cast<FakeObject&>(*beam.owner);

    // The player's controller takes its references as a started one has them.
    arena.playerController.Reload();
    arena.world.TriggerEnter(object, arena.player, {});
    EXPECT_EQ(arena.playerController.playerState, PlayerController::kDead);
    EXPECT_TRUE(screen.Get<FakeCanvas>().enabled);
    arena.world.TriggerExit(object, arena.player);
    EXPECT_FALSE(screen.Get<FakeCanvas>().enabled);

    arena.world.CollisionEnter(object, pylon, {});
    EXPECT_TRUE(arena.SwitchOf(pylon).shieldDown);
    EXPECT_EQ(arena.SwitchOf(pylon).blinkInterval, 0.25f);
    // A switch without the script is reported once.
    const std::string reports = ReportsOf([&] {
        arena.world.TriggerEnter(object, post, {});
        arena.world.TriggerEnter(object, post, {});
    });
    EXPECT_EQ(CountOf(reports, "without a BossSwitch"), 1) << reports;
}

TEST_F(BossBeamTest, TheGreenScreenGoesWithTheBeamThePlayerStayedIn)
{
    FakeObject& screen = arena.world.Object("GreenScreen");
    screen.Add<FakeCanvas>().enabled = false;
    auto& untouched = dynamic_cast<FakeObject&>(*Fire({-1.0f, 0.0f, 0.0f}).owner);
    arena.world.Steps(30);
    BossChargedProjectile& beam = Fire({1.0f, 0.0f, 0.0f});
    arena.world.Step();
    arena.playerController.Reload();
    arena.world.TriggerEnter(dynamic_cast<FakeObject&>(*beam.owner), arena.player, {});
    ASSERT_TRUE(screen.Get<FakeCanvas>().enabled);

    // The player, dead, stays in the beam: no exit comes.
    arena.world.Steps(91);
    EXPECT_EQ(arena.world.factory.LiveNamed("BeamProjectile").size(), 1u) << "the one the player never touched went";
    EXPECT_NE(arena.world.factory.LiveNamed("BeamProjectile").front(), &untouched);
    EXPECT_TRUE(screen.Get<FakeCanvas>().enabled);
    arena.world.Steps(31);
    EXPECT_TRUE(arena.world.factory.LiveNamed("BeamProjectile").empty());
    EXPECT_FALSE(screen.Get<FakeCanvas>().enabled);
}

TEST(BossDoorTest, SinksWhileThePlayerStandsBeyondItsRightAxis)
{
    BossArena arena;
    FakeObject& door = arena.world.Object("BossDoor", "BossDoor");
    door.Place({0.0f, 5.0f, 0.0f});
    arena.world.Attach<BossDoorScript>(door);
    struct Row
    {
        float playerX;
        float doorY;
    };
    // The door acts on the frame after the one that saw the player.
    const Row rows[] = {{0.5f, 5.0f}, {3.0f, 5.0f}, {3.0f, -20.0f}, {1.0f, -20.0f}, {1.0f, 5.0f}};
    for (const Row& row : rows)
    {
        arena.player.transform.SetPosition({row.playerX, 0.0f, 9.0f});
        arena.world.Step();
        EXPECT_EQ(door.transform.GetPosition().y, row.doorY) << row.playerX;
    }
}
} // namespace
