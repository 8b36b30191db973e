// The boss's attacks as timelines at 60 frames a second: what it makes, plays and sounds, and when.
#include "bossarena.h"
#include "scriptlookup.h"
#include "vectornear.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using ::testing::IsSupersetOf;

namespace
{
constexpr int kFramesPerSecond = 60;

struct Event
{
    int frame;
    std::string what;
};

// What happened in the frames run so far: "+name" for an instance made, the animator's states and the sounds.
class Timeline
{
public:
    explicit Timeline(BossArena& arena) : arena_(arena) {}

    void Run(float seconds, const std::function<void(int frame)>& eachFrame = nullptr)
    {
        const int until = frame_ + static_cast<int>(std::lround(seconds * kFramesPerSecond));
        while (frame_ < until)
        {
            ++frame_;
            arena_.world.Step();
            Record();
            if (eachFrame)
                eachFrame(frame_);
        }
    }
    // Runs until the next event of the kind, within the time; true when it came.
    bool RunUntil(const std::string& what, float seconds)
    {
        const int before = CountOf(what);
        const int until = frame_ + static_cast<int>(std::lround(seconds * kFramesPerSecond));
        while (frame_ < until && CountOf(what) == before)
            Run(1.0f / kFramesPerSecond);
        return CountOf(what) > before;
    }
    int Frame() const { return frame_; }
    // The frame of the nth (from 0) event, or -1.
    int FrameOf(const std::string& what, int nth = 0) const
    {
        for (const Event& event : events_)
            if (event.what == what && nth-- == 0)
                return event.frame;
        return -1;
    }
    int CountOf(const std::string& what) const
    {
        return static_cast<int>(std::ranges::count_if(events_, [&](const Event& event) { return event.what == what; }));
    }

private:
    void Record()
    {
        const auto& made = arena_.world.factory.instantiated;
        for (; made_ < made.size(); ++made_)
            events_.push_back({frame_, "+" + made[made_]});
        const auto& played = arena_.boss.Get<FakeAnimator>().played;
        for (; played_ < played.size(); ++played_)
            events_.push_back({frame_, played[played_]});
        const auto& heard = arena_.world.audio.played;
        for (; heard_ < heard.size(); ++heard_)
            events_.push_back({frame_, heard[heard_].name});
    }

    BossArena& arena_;
    std::vector<Event> events_;
    int frame_ = 0;
    std::size_t made_ = 0;
    std::size_t played_ = 0;
    std::size_t heard_ = 0;
};

struct Expected
{
    float seconds;
    std::string what;
    int nth = 0;
};

// Each event at its time, counted from the frame given. Every timer counts down in whole frames, so each
// one the boss has run through may end a frame late: three frames and one in a hundred are allowed.
void ExpectTimes(const Timeline& timeline, const std::vector<Expected>& table, int fromFrame = 0)
{
    for (const Expected& row : table)
    {
        const int frame = timeline.FrameOf(row.what, row.nth);
        EXPECT_NE(frame, -1) << row.what << " #" << row.nth << " never came";
        const float expected = row.seconds * kFramesPerSecond;
        if (frame != -1)
        {
            EXPECT_NEAR(frame - fromFrame, expected, 3.0f + expected * 0.01f) << row.what << " #" << row.nth;
        }
    }
}

BossChargedProjectile& BeamNamed(BossArena& arena, const std::string& name)
{
    auto* beam = ScriptOf<BossChargedProjectile>(arena.world.factory.FindObject(name));
    if (!beam)
        throw std::logic_error("no live beam " + name);
    return *beam;
}

Vector3 TowardPlayer(const BossArena& arena)
{
    Vector3 toward = arena.player.transform.GetPosition();
    toward.y = 0.0f;
    return toward.Normalized();
}

// What the controller does at the first break.
void Enrage(BossBehaviour& boss)
{
    boss.enraged = true;
    boss.angerPending = true;
    boss.mode = 0;
}

TEST(BossCalmTest, FirstBeamAlongItsLoadedFacingThenEveryFiveSecondsAtThePlayerWithoutAController)
{
    BossArena arena;
    Timeline timeline(arena);
    ASSERT_TRUE(timeline.RunUntil("+BeamProjectile", 5.0f));
    // Not tracking yet: the first beam leaves along the facing the boss is drawn with.
    const Vector3 drawn = arena.boss.transform.GetForward();
    Transform turned;
    turned.SetRotation({0.0f, BossArena::kBossYaw, 0.0f});
    ASSERT_GT((turned.GetForward() - drawn).Length(), 0.1f) << "the fixture's yaw must tell the two apart";
    BossChargedProjectile& first = BeamNamed(arena, "BeamProjectile");
    ExpectNear(first.direction, drawn, "first beam direction");
    ExpectNear(first.owner->GetTransform()->GetPosition(), drawn, "one unit in front of the boss");
    EXPECT_NEAR(arena.bossScript.rangeSquared, 60.0f * 60.0f + 100.0f - 1100.0f, 1e-3f);

    ASSERT_TRUE(timeline.RunUntil("+BeamProjectile", 5.5f));
    // Later beams leave toward the player.
    BossChargedProjectile& second = BeamNamed(arena, "BeamProjectile");
    ExpectNear(second.direction, TowardPlayer(arena), "second beam", 1e-4f);
    ExpectNear(second.owner->GetTransform()->GetForward(), TowardPlayer(arena), "turned like the boss", 1e-4f);
    ExpectNear(arena.boss.transform.GetForward(), TowardPlayer(arena), "the boss faces the player", 1e-4f);

    timeline.Run(5.5f);
    ExpectTimes(timeline, {{2.0f, "+BeamProjectileFeedback"},
                           {2.0f, "Summon"},
                           {2.0f, "sfx_BossCharging"},
                           {4.5f, "+BeamProjectile"},
                           {4.5f, "Melee"},
                           {4.5f, "sfx_BossChargeAttack"},
                           {9.5f, "+BeamProjectile", 1},
                           {14.5f, "+BeamProjectile", 2}});
    EXPECT_EQ(timeline.CountOf("+BeamProjectile"), 3);
    // Every telegraph went with its beam.
    EXPECT_EQ(timeline.CountOf("+BeamProjectileFeedback"), 3);
    EXPECT_EQ(std::ranges::count(arena.world.factory.destroyed, "BeamProjectileFeedback"), 3);
    // Each beam shakes the camera by (1.5 s, 0.5): the later ones extend the shake the first started.
    EXPECT_FLOAT_EQ(arena.cameraScript.shakeStrength, 0.5f + 0.25f + 0.25f);
    EXPECT_FLOAT_EQ(arena.cameraScript.shakeTime, 1.5f + 0.75f + 0.75f);
}

TEST(BossCalmTest, APlayerOutOfRangeStopsItAndADeadOnePausesIt)
{
    struct Case
    {
        const char* name;
        Vector3 player;
        float deadFrom;
        float deadFor;
        int beams;
        float firstBeam;
    };
    // 60 units of range: 3700 squared units before the first beam, 2600 after it.
    const Case cases[] = {
        {"in range", {20.0f, 0.0f, -20.0f}, 0.0f, 0.0f, 3, 4.5f},
        {"out of range", {0.0f, 0.0f, -61.0f}, 0.0f, 0.0f, 0, 0.0f},
        {"only until the first beam", {0.0f, 0.0f, -55.0f}, 0.0f, 0.0f, 1, 4.5f},
        {"dead for 2 s", {20.0f, 0.0f, -20.0f}, 1.0f, 2.0f, 2, 6.5f},
    };
    for (const Case& row : cases)
    {
        BossArena arena;
        arena.player.transform.SetPosition(row.player);
        Timeline timeline(arena);
        timeline.Run(15.2f, [&](int frame) {
            const float now = static_cast<float>(frame) / kFramesPerSecond;
            const bool dead = now >= row.deadFrom && now < row.deadFrom + row.deadFor;
            arena.playerController.playerState = dead ? PlayerController::kDead : PlayerController::kIdle;
        });
        EXPECT_EQ(timeline.CountOf("+BeamProjectile"), row.beams) << row.name;
        if (row.beams > 0)
            ExpectTimes(timeline, {{row.firstBeam, "+BeamProjectile"}});
    }
}

TEST(BossCalmTest, AReloadedBossIdlesUntilTheLevelLoadsAgain)
{
    BossArena arena;
    Timeline timeline(arena);
    timeline.Run(1.0f);
    arena.world.HotReload();
    timeline.Run(6.0f);
    EXPECT_EQ(timeline.CountOf("+BeamProjectile"), 0);
}

TEST(BossAngerTest, TheAngerStepClearsTheChargeAndReplaysWhenThePlayerComesBack)
{
    BossArena arena;
    Timeline timeline(arena);
    timeline.Run(3.0f);
    ASSERT_NE(arena.world.factory.FindObject("BeamProjectileFeedback"), nullptr);
    Enrage(arena.bossScript);
    timeline.Run(0.1f);
    EXPECT_EQ(timeline.CountOf("Angry"), 1);
    EXPECT_EQ(timeline.CountOf("sfx_SetScream"), 1);
    EXPECT_TRUE(arena.world.factory.WasDestroyed("BeamProjectileFeedback"));
    EXPECT_TRUE(arena.boss.Get<FakeParticleSystem>().stopped);

    arena.player.transform.SetPosition({0.0f, 0.0f, 90.0f});
    timeline.Run(1.0f);
    EXPECT_EQ(arena.bossScript.mode, 0);
    arena.player.transform.SetPosition(BossArena::kPlayerStart);
    timeline.Run(0.1f);
    EXPECT_EQ(timeline.CountOf("Angry"), 2);
    ExpectNear(arena.boss.transform.GetForward(), TowardPlayer(arena), "facing the player", 1e-4f);

    // A player standing on the boss leaves its facing as it was instead of turning it to NaN.
    const Vector3 facing = arena.boss.transform.GetRotation();
    arena.player.transform.SetPosition({});
    timeline.Run(0.1f);
    EXPECT_EQ(arena.boss.transform.GetRotation(), facing);
}

class BossEnragedTest : public ::testing::Test
{
protected:
    BossEnragedTest() : timeline(arena)
    {
        timeline.Run(1.0f / kFramesPerSecond);
        Enrage(arena.bossScript);
        angerFrame = timeline.Frame() + 1;
    }

    FakeObject* Live(const std::string& name) { return arena.world.factory.FindObject(name); }

    BossArena arena;
    Timeline timeline;
    int angerFrame = 0;
};

TEST_F(BossEnragedTest, WaitsEightSecondsThenFiresADoubleBeamAndThenVolleysForEightSeconds)
{
    struct Shake
    {
        float strength;
        float time;
    };
    std::map<std::string, Shake> shakes;
    timeline.Run(23.5f, [&](int) {
        for (const char* beam : {"BeamProjectile0", "BeamProjectile1", "BeamProjectile2"})
            if (Live(beam) && !shakes.contains(beam))
                shakes[beam] = {arena.cameraScript.shakeStrength, arena.cameraScript.shakeTime};
        if (FakeObject* left = Live("BeamProjectileFeedback1"))
        {
            EXPECT_EQ(left->Get<FakeMeshRenderer>().materials[0].name, "redalpha1");
            EXPECT_FLOAT_EQ(left->transform.GetRotation().y, arena.boss.transform.GetRotation().y - 25.0f);
        }
        if (FakeObject* right = Live("BeamProjectileFeedback2"))
        {
            EXPECT_EQ(right->Get<FakeMeshRenderer>().materials[0].name, "redalpha2");
            EXPECT_FLOAT_EQ(right->transform.GetRotation().y, arena.boss.transform.GetRotation().y + 25.0f);
        }
    });
    ExpectTimes(timeline,
                {{0.0f, "Angry"},
                 {0.0f, "sfx_SetScream"},
                 {10.0f, "+BeamProjectileFeedback"},
                 {10.5f, "+BeamProjectileFeedback1"},
                 {11.0f, "+BeamProjectileFeedback2"},
                 {11.0f, "+BeamProjectile0"},
                 {11.5f, "+BeamProjectile1"},
                 {12.0f, "+BeamProjectile2"},
                 {14.0f, "+IceProjectile"},
                 {14.0f, "Shoot"},
                 {14.0f, "sfx_BossAttack"},
                 {15.0f, "+IceProjectile", 1},
                 {23.0f, "+BeamProjectileFeedback", 1}},
                angerFrame);
    // A volley each second, and a frame, for the eight seconds.
    EXPECT_EQ(timeline.CountOf("+IceProjectile"), 7);
    EXPECT_EQ(timeline.CountOf("+IceProjectile3"), 7);
    // Each beam of the sweep asks the camera for (1.5 s, 0.2): the first starts the shake, the others extend it.
    EXPECT_FLOAT_EQ(shakes["BeamProjectile0"].strength, 0.2f);
    EXPECT_FLOAT_EQ(shakes["BeamProjectile0"].time, 1.5f);
    EXPECT_FLOAT_EQ(shakes["BeamProjectile1"].strength, 0.3f);
    EXPECT_FLOAT_EQ(shakes["BeamProjectile2"].strength, 0.4f);
    EXPECT_FLOAT_EQ(shakes["BeamProjectile2"].time, 3.0f);
    // The sweep beams are real ones: registered, so they are drawn, collide and run.
    EXPECT_THAT(arena.world.factory.registered, IsSupersetOf({"BeamProjectile0", "BeamProjectile1", "BeamProjectile2"}));
}

TEST_F(BossEnragedTest, AVolleyIsThreeShotsAtTheBossYawAndFifteenToThirtyToEitherSide)
{
    ASSERT_TRUE(timeline.RunUntil("+IceProjectile3", 15.0f));
    const float yaw = arena.boss.transform.GetRotation().y;
    const Vector3 muzzle = arena.boss.transform.GetForward() * 5.0f;
    FakeObject* shots[] = {Live("IceProjectile"), Live("IceProjectile2"), Live("IceProjectile3")};
    const float lowest[] = {0.0f, -30.0f, 15.0f};
    for (int shot = 0; shot < 3; ++shot)
    {
        ASSERT_NE(shots[shot], nullptr) << shot;
        const float offset = shots[shot]->transform.GetRotation().y - yaw;
        EXPECT_GE(offset, lowest[shot]) << shot;
        EXPECT_LE(offset, lowest[shot] + (shot == 0 ? 0.0f : 15.0f)) << shot;
        ExpectNear(shots[shot]->transform.GetPosition(), muzzle, "from the muzzle", 1e-4f);
        EXPECT_EQ(shots[shot]->tag, "IceProjectileBoss");
        EXPECT_TRUE(shots[shot]->Get<FakeCollider>().trigger);
        EXPECT_FLOAT_EQ(shots[shot]->Get<FakeCollider>().radius, 0.8f);
    }
}

TEST_F(BossEnragedTest, EachSweepBeamFollowsTheTelegraphThatFadedBeforeItWhicheverSideItStartsOn)
{
    struct Telegraph
    {
        float alpha;
        float yaw;
    };
    // The side telegraphs as the previous frame left them: a beam's own goes in the frame the beam comes.
    std::map<std::string, Telegraph> previous;
    struct Beam
    {
        float yaw;
        std::vector<float> fadedYaws;
    };
    std::vector<Beam> beams;
    int seen = 0;
    timeline.Run(27.0f, [&](int) {
        const int made = timeline.CountOf("+BeamProjectile1") + timeline.CountOf("+BeamProjectile2");
        if (made > seen)
        {
            seen = made;
            FakeObject* beam = Live(made % 2 == 1 ? "BeamProjectile1" : "BeamProjectile2");
            ASSERT_NE(beam, nullptr);
            beams.push_back({beam->transform.GetRotation().y, {}});
            for (const auto& [name, telegraph] : previous)
                if (telegraph.alpha > 0.01f)
                    beams.back().fadedYaws.push_back(telegraph.yaw);
        }
        previous.clear();
        for (const char* name : {"BeamProjectileFeedback1", "BeamProjectileFeedback2"})
            if (FakeObject* telegraph = Live(name))
                previous[name] = {telegraph->Get<FakeMeshRenderer>().alpha, telegraph->transform.GetRotation().y};
    });
    // Two sweeps, the second starting on the other side.
    ASSERT_EQ(beams.size(), 4u);
    EXPECT_NE(beams[0].yaw, beams[2].yaw);
    for (std::size_t beam = 0; beam < beams.size(); ++beam)
    {
        ASSERT_EQ(beams[beam].fadedYaws.size(), 1u) << "beam " << beam;
        EXPECT_FLOAT_EQ(beams[beam].fadedYaws[0], beams[beam].yaw) << "beam " << beam;
    }
}

TEST_F(BossEnragedTest, AngerAfterManyDoubleBeamsRemovesOnlyLiveTelegraphsOnce)
{
    timeline.Run(38.0f);
    ASSERT_EQ(timeline.CountOf("+BeamProjectile0"), 3);
    Enrage(arena.bossScript);
    timeline.Run(0.5f);
    EXPECT_EQ(timeline.CountOf("Angry"), 2);
    for (const char* name : {"BeamProjectileFeedback", "BeamProjectileFeedback1", "BeamProjectileFeedback2"})
        EXPECT_EQ(std::ranges::count(arena.world.factory.destroyed, name), timeline.CountOf(std::string("+") + name))
            << name;
}
} // namespace
