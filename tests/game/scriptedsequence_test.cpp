// The hand-timed sequences: their timelines, the one-shot steps and the skips on confirm.
#include "fakeworld.h"

#include <cmath>
#include <map>
#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

using ::testing::ElementsAre;

namespace
{
constexpr std::uint16_t kEnter = 13;

class ScriptedSequenceTest : public ::testing::Test
{
protected:
    ScriptedSequenceTest()
    {
        player.active = false;
        set.Place({0.0f, 2.0f, 0.0f});
        coffin.Place({3.0f, 1.0f, 4.0f});
        world.Attach<DestroyAfterSeconds>(world.Prefab("Green Burst"));
    }

    template <class Sequence>
    Sequence& Begin(Sequence& sequence)
    {
        world.Step();
        world.TriggerEnter(volume, player, {});
        return sequence;
    }
    // Made over the whole run: each goes 3 s after it came.
    long BurstsMade() const { return std::ranges::count(world.factory.instantiated, "Green Burst"); }
    std::vector<FakeObject*> Bursts() const { return world.factory.LiveNamed("Green Burst"); }

    FakeWorld world;
    FakeObject& player = world.Object("Player");
    PlayerStats& stats = world.Attach<PlayerStats>(player);
    FakeObject& set = world.Object("Figure");
    FakeAnimator& animator = set.Add<FakeAnimator>();
    FakeMeshRenderer& renderer = set.Add<FakeMeshRenderer>();
    FakeObject& coffin = world.Object("Sarcophagus");
    FakeObject& flash = world.Object("FlashLight");
    FakeLight& light = flash.Add<FakeLight>();
    FakeObject& volume = world.Object("SequenceVolume");
};

TEST_F(ScriptedSequenceTest, LevelOneBobsFlashesBurstsAtTheCoffinAndRetreatsFiftyUnits)
{
    auto& sequence = world.Attach<Cutscene_L1S3>(volume);
    sequence.setName = "Figure";
    sequence.coffinName = "Sarcophagus";
    sequence.flashName = "FlashLight";
    Begin(sequence);
    EXPECT_TRUE(sequence.started);
    EXPECT_TRUE(stats.invulnerable);
    // The bob is the integral of cos: up by about sin(t).
    world.Steps(90);
    EXPECT_NEAR(set.transform.GetPosition().y, 2.0f + std::sin(1.5f), 0.02f);

    world.Press(kEnter);
    EXPECT_FLOAT_EQ(sequence.time, 9.0f + FakeWorld::kFrameTime);
    // One frame of the flash so far.
    EXPECT_FLOAT_EQ(light.GetIntensity(), 1.0f + 0.75f);
    EXPECT_FLOAT_EQ(light.GetRange(), 5.0f + 1.0f);

    world.Press(kEnter);
    EXPECT_FALSE(coffin.active);
    ASSERT_EQ(Bursts().size(), 1u);
    EXPECT_EQ(Bursts()[0]->transform.GetPosition(), Vector3(3.0f, 1.0f, 4.0f));
    EXPECT_EQ(dynamic_cast<DestroyAfterSeconds*>(Bursts()[0]->FindScript("DestroyAfterSeconds"))->timer, 3.0f);
    EXPECT_THAT(world.factory.registered, ElementsAre("Green Burst"));

    // The light dies by one a frame before the set-piece leaves along z.
    EXPECT_FLOAT_EQ(light.GetRange(), 6.0f);
    world.Steps(6);
    EXPECT_EQ(light.GetRange(), 0.0f);
    EXPECT_EQ(light.GetIntensity(), 0.0f);
    const Vector3 before = set.transform.GetPosition();
    world.Step();
    EXPECT_NEAR(set.transform.GetPosition().z - before.z, 0.25f, 1e-5f);
    world.Steps(195);
    EXPECT_FALSE(world.factory.WasDestroyed("SequenceVolume"));
    world.Steps(5);
    EXPECT_TRUE(world.factory.WasDestroyed("SequenceVolume"));
    EXPECT_FALSE(stats.invulnerable);
    EXPECT_NEAR(set.transform.GetPosition().z, 50.0f, 0.5f);
    EXPECT_EQ(BurstsMade(), 1) << "one burst, gone after its 3 s";
}

TEST_F(ScriptedSequenceTest, LevelOneWithoutItsFlashLightStillRetreats)
{
    auto& sequence = world.Attach<Cutscene_L1S3>(volume);
    sequence.setName = "Figure";
    sequence.coffinName = "Sarcophagus";
    sequence.flashName = "NoSuchLight";
    const std::string reports = ReportsOf([&] { Begin(sequence); });
    EXPECT_EQ(CountOf(reports, "Cutscene_L1S3: no object \"NoSuchLight\""), 1);
    world.Press(kEnter);
    world.Press(kEnter);
    world.Steps(210);
    EXPECT_TRUE(world.factory.WasDestroyed("SequenceVolume"));
}

TEST_F(ScriptedSequenceTest, LevelTwoAppearsAtOneSecondSinksHoversSummonsAndLeavesAHundredUnits)
{
    // A frame time that sums exactly, so the beats fall on known frames.
    constexpr float kFrame = 1.0f / 64.0f;
    world.frameTime = kFrame;
    auto& sequence = world.Attach<Cutscene_L2S3>(volume);
    sequence.setName = "Figure";
    sequence.flashName = "FlashLight";
    Begin(sequence);
    EXPECT_FALSE(renderer.enabled);
    EXPECT_EQ(sequence.startPosition, Vector3(0.0f, 2.0f, 0.0f));
    world.Steps(63);
    EXPECT_FALSE(renderer.enabled);
    EXPECT_TRUE(animator.played.empty());

    world.Step();
    EXPECT_TRUE(renderer.enabled);
    // The animator reports the state just played, so "Idle" follows "Entry" in the same frame.
    EXPECT_THAT(animator.played, ElementsAre("Entry", "Idle"));
    ASSERT_EQ(Bursts().size(), 1u);
    EXPECT_FLOAT_EQ(light.GetIntensity(), 1.0f + 2.5f);
    EXPECT_FLOAT_EQ(light.GetRange(), 5.0f + 2.0f);
    EXPECT_FLOAT_EQ(set.transform.GetPosition().y, 2.0f - kFrame);
    // Until 2.2 s the flash grows, then dies by one a frame.
    world.Steps(76);
    EXPECT_FLOAT_EQ(light.GetRange(), 5.0f + 2.0f * 77.0f);
    world.Step();
    EXPECT_FLOAT_EQ(light.GetRange(), 5.0f + 2.0f * 77.0f - 1.0f);

    world.Press(kEnter);
    EXPECT_NEAR(set.transform.GetPosition().y, 2.0f - 5.0f, 0.01f);
    EXPECT_TRUE(sequence.armed);
    world.Press(kEnter);
    EXPECT_FLOAT_EQ(sequence.time, 10.0f + kFrame);
    world.Steps(64);
    EXPECT_EQ(light.GetRange(), 0.0f);
    EXPECT_EQ(light.GetIntensity(), 0.0f);
    EXPECT_EQ(animator.state, "Summon");

    world.Steps(320);
    EXPECT_EQ(animator.state, "Moving");
    EXPECT_EQ(set.transform.GetRotation(), Vector3(0.0f, 225.0f, 0.0f));
    const Vector3 before = set.transform.GetPosition();
    world.Step();
    EXPECT_NEAR((set.transform.GetPosition() - before).x, 10.6066f * kFrame, 1e-4f);
    EXPECT_NEAR((set.transform.GetPosition() - before).z, -10.6066f * kFrame, 1e-4f);
    // 100 units at 15 a second: the 427th frame of the exit ends it.
    world.Steps(415);
    EXPECT_FALSE(world.factory.WasDestroyed("Figure"));
    world.Steps(15);
    EXPECT_TRUE(world.factory.WasDestroyed("Figure"));
    EXPECT_TRUE(world.factory.WasDestroyed("SequenceVolume"));
    EXPECT_FALSE(stats.invulnerable);
    EXPECT_EQ(BurstsMade(), 1) << "one burst, gone after its 3 s";
}

class FinalSequenceTest : public ScriptedSequenceTest
{
protected:
    FinalSequenceTest()
    {
        source.Place({-1.0f, 0.0f, 6.0f});
        sequence.setName = "Figure";
        sequence.coffinName = "Sarcophagus";
        sequence.sourceName = "Source";
        Begin(sequence);
        fade.fadingIn = false;
        world.factory.onLoadLevel = [this](const std::string& level) {
            if (!loadTime)
                loadTime = sequence.time;
            loaded = level;
        };
    }
    // Each step the sequence takes, by the first time the world saw it.
    std::map<std::string, float> Steps()
    {
        std::map<std::string, float> seen;
        const auto see = [&](const std::string& step, bool happened) {
            if (happened && !seen.contains(step))
                seen[step] = sequence.time;
        };
        see("source", world.factory.WasDestroyed("Source"));
        see("particles", particles.emissionRate == 0);
        see("drop", !body.isStatic);
        see("flatten", animator.state == "Flattened");
        see("fade", fade.fadingOut);
        return seen;
    }

    FakeObject& source = world.Object("Source");
    FakeRigidBody& body = coffin.Add<FakeRigidBody>();
    FakeParticleSystem& particles = coffin.Add<FakeParticleSystem>();
    FadeInFadeOut& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    Cutscene_Final& sequence = world.Attach<Cutscene_Final>(volume);
    std::optional<float> loadTime;
    std::string loaded;
};

TEST_F(FinalSequenceTest, LeftAloneEachBeatRunsInItsWindowAndCutsceneThreeLoadsAtTwentyOne)
{
    EXPECT_TRUE(body.isStatic);
    EXPECT_EQ(body.gravityScale, 0.0f);
    std::map<std::string, float> seen;
    for (int frame = 0; frame < 1300 && !loadTime; ++frame)
    {
        world.Step();
        seen.merge(Steps());
    }
    struct Window
    {
        const char* step;
        float after;
        float before;
    };
    for (const Window& window : {Window{"source", 3.8f, 3.9f}, Window{"particles", 5.0f, 5.1f},
                                 Window{"drop", 5.4f, 5.5f}, Window{"flatten", 6.5f, 6.6f},
                                 Window{"fade", 20.0f, 20.1f}})
    {
        SCOPED_TRACE(window.step);
        ASSERT_TRUE(seen.contains(window.step));
        EXPECT_GE(seen[window.step], window.after);
        EXPECT_LE(seen[window.step], window.before);
    }
    ASSERT_TRUE(loadTime);
    EXPECT_GE(*loadTime, 21.0f);
    EXPECT_LT(*loadTime, 21.0f + FakeWorld::kFrameTime);
    EXPECT_EQ(loaded, "Cutscene3");
    EXPECT_EQ(body.gravityScale, 2.0f);
    EXPECT_EQ(set.transform.GetPosition(), Vector3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(set.transform.GetRotation(), Vector3(90.0f, 90.0f, 0.0f));
    EXPECT_EQ(BurstsMade(), 1) << "one burst, gone after its 3 s";
    EXPECT_THAT(world.audio.PlayedNames(),
                ElementsAre("sfx_ThrowEnemy", "sfx_drop", "sfx_CoffinDrop", "sfx_GroundShake", "sfx_PlayerHurt"));
}

TEST_F(FinalSequenceTest, RepeatedPressesWalkTheSkipsAndEachStepStillRunsOnce)
{
    // Time, then a press in the same frame: the skips show as jumps of the clock.
    std::vector<float> jumps;
    for (int press = 0; press < 400 && !loadTime; ++press)
    {
        const float before = sequence.time;
        world.input.Hold(kEnter);
        world.Step();
        world.input.Release(kEnter);
        if (sequence.time > before + 0.5f)
            jumps.push_back(sequence.time);
        world.Step();
    }
    EXPECT_THAT(jumps, ElementsAre(3.8f, 5.0f, 6.5f, 20.0f));
    EXPECT_EQ(loaded, "Cutscene3");
    EXPECT_EQ(Bursts().size(), 1u);
    EXPECT_THAT(world.audio.PlayedNames(),
                ElementsAre("sfx_ThrowEnemy", "sfx_drop", "sfx_CoffinDrop", "sfx_GroundShake", "sfx_PlayerHurt"));
    EXPECT_EQ(animator.played, std::vector<std::string>{"Flattened"});
}

TEST_F(FinalSequenceTest, AFrameLongerThanABeatsWindowSkipsItsStep)
{
    world.frameTime = 0.25f;
    world.Steps(20);
    EXPECT_FALSE(world.factory.WasDestroyed("Source"));
    EXPECT_TRUE(Bursts().empty());
}
} // namespace
