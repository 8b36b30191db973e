#include "c_particlesystem.h"
#include "componentregistry.h"
#include "objectworld.h"
#include "transforminterface.h"
#include "vectornear.h"
#include "xmltext.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
constexpr float kTick = 1.0f / 60.0f;

std::string Saved(const ParticleSystem& system)
{
    return XmlText().Written([&](XMLWriter& writer) { system.Serialize(writer, nullptr); });
}

void Load(ParticleSystem& system, const std::string& text)
{
    const auto reader = XmlText().Parsed(text);
    system.Deserialize(*reader->GetRoot());
}

std::string Element(const std::string& leaves)
{
    return "<ParticleSystem>\n" + leaves + "</ParticleSystem>\n";
}

std::string Leaf(const std::string& name, const std::string& value, int depth = 1)
{
    return std::string(static_cast<std::size_t>(depth), '\t') + "<" + name + ">" + value + "</" + name + ">\n";
}

// A particle system on a live object at the origin, with a seeded engine and long-lived particles.
class Particles : public ::testing::Test
{
protected:
    Particles()
        : object(world.Live("Emitter", 1)), system(*static_cast<ParticleSystem*>(object.AddComponent("ParticleSystem")))
    {
        object.EnsureTransform();
        system.SeedRandom(7);
        system.settings.startLifetime = 100.0f;
    }

    TransformInterface& Transform() { return *object.GetTransform(); }
    // Live particles after each of the ticks.
    std::vector<int> LiveAfterTicks(int ticks)
    {
        std::vector<int> live;
        for (int n = 0; n < ticks; ++n)
        {
            system.EmissionTick(kTick, nullptr);
            live.push_back(system.GetLiveCount());
        }
        return live;
    }
    // The one particle a fresh pool spawns.
    const Particle& SpawnOne()
    {
        system.ResetParticles();
        system.SpawnParticle();
        return system.GetParticles()[0];
    }

    ObjectWorld world;
    GameObject& object;
    ParticleSystem& system;
};
} // namespace

TEST(ParticleSystem, ANewSystemSavesItsDefaultsInFileOrder)
{
    const auto created = ComponentCreators().at("ParticleSystem")();
    const auto& fresh = dynamic_cast<const ParticleSystem&>(*created);
    EXPECT_EQ(fresh.GetKind(), CompEnum::ParticleSystem);
    EXPECT_EQ(fresh.GetParticles().size(), 1000u);
    EXPECT_EQ(fresh.GetPositionSizeStream().size(), 4000u);
    EXPECT_EQ(fresh.GetColourStream().size(), 4000u);
    EXPECT_TRUE(fresh.IsPlaying());
    EXPECT_FALSE(fresh.IsPaused() || fresh.IsStopped() || fresh.IsEmitting());
    EXPECT_EQ(Saved(fresh), Element(Leaf("MainMaxParticles", "1000") + Leaf("MainDuration", "5") +
                                     Leaf("MainLoop", "true") + Leaf("MainStartLifeTime", "5") +
                                     Leaf("MainSpeed", "10") + Leaf("MainSize", "1") + Leaf("MainRotation", "0") +
                                     Leaf("EmissionEnabled", "true") + Leaf("EmissionRate", "0") +
                                     Leaf("EmissionNoOfBursts", "0") + "\t<EmissionBursts>\n\t</EmissionBursts>\n" +
                                     Leaf("ShapeEnabled", "true") + Leaf("ShapeTexName", "normal.dds") +
                                     Leaf("ShapeShapeType", "7") + Leaf("ShapeFaceNormal", "false") +
                                     Leaf("ShapePosition", "0, 0, 0") + Leaf("ShapeRot", "0, 0, 0") +
                                     Leaf("ShapeScale", "1, 1, 1") + Leaf("ShapeAngle", "25") +
                                     Leaf("ShapeRadius", "1") + Leaf("ShapeArc", "360") +
                                     Leaf("ColorOverLifetimeEnabled", "false") +
                                     Leaf("ColorOverLifetimeMin", "0, 0, 0, 255") +
                                     Leaf("ColorOverLifetimeMax", "0, 0, 0, 255") +
                                     Leaf("SizeOverLifetimeEnabled", "false") + Leaf("SizeOverLifetimeMin", "1") +
                                     Leaf("SizeOverLifetimeMax", "5") + Leaf("PSRRenderMode", "0")));
}

TEST(ParticleSystem, SettingsAndBurstsReadBackAndAFilesBurstsReplaceTheList)
{
    ParticleSystem source;
    source.settings.duration = 2.5f;
    source.settings.loop = false;
    source.settings.emissionRate = 90;
    source.settings.bursts = {{5, 2, 0.5f, 1.0f}, {3, 1, 0.0f, 2.0f}};
    source.settings.colourOverLifetime = true;
    source.settings.colourMax = {255.0f, 10.0f, 0.0f, 200.0f};
    source.settings.shapeType = static_cast<int>(EmitterShape::BoxShell);
    source.settings.shapeScale = {2.0f, 3.0f, 4.0f};
    source.settings.textureName = "spark.dds";
    source.settings.renderMode = 2;
    const std::string saved = Saved(source);
    EXPECT_THAT(saved, HasSubstr(Leaf("EmissionNoOfBursts", "2") + "\t<EmissionBursts>\n" +
                                 Leaf("EmissionBurstsCount", "5", 2) + Leaf("EmissionBurstsCycle", "2", 2) +
                                 Leaf("EmissionBurstsInterVal", "0.5", 2) + Leaf("EmissionBurstsTime", "1", 2) +
                                 Leaf("EmissionBurstsCount", "3", 2)));

    ParticleSystem loaded;
    Load(loaded, saved);
    Load(loaded, saved); // a second load replaces the bursts, it does not add to them
    EXPECT_EQ(Saved(loaded), saved);
    EXPECT_EQ(loaded.settings.burstCount, 2);

    // Every four values make one burst, in any order; a fifth waits for three more that never come.
    Load(loaded, Element("\t<EmissionBursts>\n" + Leaf("EmissionBurstsTime", "4", 2) +
                         Leaf("EmissionBurstsCycle", "3", 2) + Leaf("EmissionBurstsCount", "2", 2) +
                         Leaf("EmissionBurstsInterVal", "1", 2) + Leaf("EmissionBurstsCount", "9", 2) +
                         "\t</EmissionBursts>\n"));
    ASSERT_EQ(loaded.settings.bursts.size(), 1u);
    EXPECT_EQ(loaded.settings.bursts[0].count, 2);
    EXPECT_EQ(loaded.settings.bursts[0].cycles, 3);
    EXPECT_EQ(loaded.settings.bursts[0].time, 4.0f);
}

TEST(ParticleSystem, LoadingGrowsThePoolButNeverShrinksItOrLetsItRunAway)
{
    ParticleSystem system;
    Load(system, Element(Leaf("MainMaxParticles", "50")));
    EXPECT_EQ(system.settings.maxParticles, 50);
    EXPECT_EQ(system.GetParticles().size(), 1000u);
    Load(system, Element(Leaf("MainMaxParticles", "2000")));
    EXPECT_EQ(system.GetParticles().size(), 2000u);
    EXPECT_EQ(system.GetColourStream().size(), 8000u);

    testing::internal::CaptureStderr();
    Load(system, Element(Leaf("MainMaxParticles", "2000000000")));
    system.SetMaxParticles(-3);
    const std::string reports = testing::internal::GetCapturedStderr();
    EXPECT_THAT(reports, HasSubstr("2000000000 particles is out of range"));
    EXPECT_THAT(reports, HasSubstr("-3 particles is out of range"));
    EXPECT_EQ(system.GetParticles().size(), 0u);
    system.SpawnParticle(); // an empty pool spawns nothing
    system.SimulateParticles(kTick, nullptr);
    EXPECT_EQ(system.GetLiveCount(), 0);
}

TEST(ParticleSystem, ComparesEqualToAnyParticleSystemAndClonesWithFreshStreams)
{
    ParticleSystem source;
    source.settings.emissionRate = 7;
    source.SetEnabled(false);
    EXPECT_TRUE(source.Compare(ParticleSystem()));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(source.Compare(*ComponentCreators().at("Transform")()));
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("ParticleSystem compare function kena nullptr"));

    const auto clone = source.Clone();
    const auto& copy = dynamic_cast<const ParticleSystem&>(*clone);
    EXPECT_FALSE(copy.IsEnabled());
    EXPECT_EQ(copy.GetEmissionRate(), 7);
    EXPECT_EQ(copy.GetParticles().size(), 1000u);
    EXPECT_EQ(copy.GetPositionSizeStream().size(), 4000u);
}

TEST_F(Particles, PlayPauseAndStopSetTheFlagsAndStopKillsEveryParticle)
{
    system.settings.emissionRate = 120;
    system.Play();
    EXPECT_TRUE(system.IsPlaying() && system.IsEmitting());
    EXPECT_FALSE(system.IsPaused() || system.IsStopped());
    EXPECT_THAT(LiveAfterTicks(2), ElementsAre(2, 4));

    system.Pause();
    EXPECT_TRUE(system.IsPaused());
    EXPECT_FALSE(system.IsPlaying() || system.IsStopped());
    EXPECT_TRUE(system.IsEmitting());
    const float oldest = system.GetParticles()[3].life;
    EXPECT_THAT(LiveAfterTicks(2), ElementsAre(4, 4)); // nothing emitted, nothing aged
    EXPECT_EQ(system.GetParticles()[3].life, oldest);

    system.Stop();
    EXPECT_TRUE(system.IsStopped());
    EXPECT_FALSE(system.IsPlaying() || system.IsPaused() || system.IsEmitting());
    EXPECT_EQ(system.GetLiveCount(), 0);
    EXPECT_EQ(system.GetElapsed(), 0.0f);
    for (const Particle& particle : system.GetParticles())
        ASSERT_TRUE(particle.life < 0.0f && particle.depth == -1.0f);
    EXPECT_THAT(LiveAfterTicks(1), ElementsAre(0));
}

TEST_F(Particles, ScriptsDriveTheSystemThroughItsInterface)
{
    ParticleSystemInterface* script = object.GetParticleSystem();
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(script->GetGameObject(), static_cast<GameObjectInterface*>(&object));
    script->Stop();
    script->Play();
    EXPECT_TRUE(script->IsPlaying() && script->IsEmitting());
    EXPECT_FALSE(script->IsPaused() || script->IsStopped());

    // As a boss switch loses health: a slower rate, short-lived particles and a fainter colour.
    script->SetEmissionRate(120);
    script->SetDuration(0.5f);
    script->SetStartLifetime(0.5f);
    script->SetColourMaxAlpha(100.0f);
    script->SetColourMinAlpha(100.0f);
    system.settings.colourOverLifetime = true;
    EXPECT_THAT(LiveAfterTicks(1), ElementsAre(2));
    EXPECT_EQ(script->GetEmissionRate(), 120);
    EXPECT_EQ(script->GetDuration(), 0.5f);
    EXPECT_EQ(script->GetStartLifetime(), 0.5f);
    EXPECT_EQ(script->GetColourMaxAlpha(), 100.0f);
    EXPECT_EQ(script->GetColourMinAlpha(), 100.0f);
    EXPECT_EQ(system.GetColourStream()[3], 100);
    EXPECT_EQ(system.GetParticles()[0].life, 0.5f - kTick);

    // A rate of 0 lets no new particle come; those alive live on.
    script->SetEmissionRate(0);
    EXPECT_THAT(LiveAfterTicks(2), ElementsAre(2, 2));

    script->Pause();
    EXPECT_TRUE(script->IsPaused() && script->IsEmitting());
    EXPECT_FALSE(script->IsPlaying());
    script->Stop();
    EXPECT_TRUE(script->IsStopped());
    EXPECT_FALSE(script->IsPlaying() || script->IsEmitting());
    EXPECT_EQ(system.GetLiveCount(), 0);
}

TEST_F(Particles, TheRateIsSpreadOverSixtyTicksASecond)
{
    const struct
    {
        int rate;
        std::vector<int> live;
    } cases[] = {
        {30, {0, 1, 1, 2, 2, 3}},
        {60, {1, 2, 3, 4, 5, 6}},
        {90, {1, 3, 4, 6, 7, 9}},
        {120, {2, 4, 6, 8, 10, 12}},
    };
    for (const auto& c : cases)
    {
        system.Stop();
        system.Play();
        system.settings.emissionRate = c.rate;
        EXPECT_EQ(LiveAfterTicks(6), c.live) << c.rate;
    }
}

TEST_F(Particles, TheFirstBurstFiresAtTheStartOfEveryCycle)
{
    system.settings.bursts = {{5, 2, 0.0f, 0.0f}, {100, 100, 0.0f, 0.0f}};
    system.settings.duration = 2.5f * kTick; // the cycle wraps in the third tick
    EXPECT_THAT(LiveAfterTicks(4), ElementsAre(10, 10, 10, 20));
    system.Stop();
    system.Play();
    EXPECT_THAT(LiveAfterTicks(1), ElementsAre(10)); // a fresh cycle

    // However large a burst a file asks for, a tick spawns no more than the pool holds.
    system.SetMaxParticles(20);
    system.settings.bursts = {{INT_MAX, INT_MAX, 0.0f, 0.0f}};
    EXPECT_THAT(LiveAfterTicks(1), ElementsAre(20));
}

TEST_F(Particles, ANonLoopingSystemStopsEmittingAfterItsDurationAndLetsItsParticlesDie)
{
    system.settings.loop = false;
    system.settings.duration = 3.5f * kTick;
    system.settings.emissionRate = 60;
    system.settings.startLifetime = 4.5f * kTick;
    EXPECT_THAT(LiveAfterTicks(9), ElementsAre(1, 2, 3, 3, 2, 1, 0, 0, 0));
    EXPECT_EQ(system.GetAliveTime(), 0.0f);
}

TEST_F(Particles, ASystemWithoutShapeOrOwnerIsPassedOver)
{
    system.settings.emissionRate = 60;
    system.settings.shapeEnabled = false;
    EXPECT_THAT(LiveAfterTicks(1), ElementsAre(0));
    ParticleSystem ownerless;
    ownerless.settings.emissionRate = 60;
    ownerless.EmissionTick(kTick, nullptr);
    EXPECT_EQ(ownerless.GetLiveCount(), 0);
    EXPECT_EQ(ownerless.GetElapsed(), 0.0f);
}

TEST_F(Particles, SimulationAgesMovesAndWritesTheStreamsFarthestFirst)
{
    system.settings.startSpeed = 10.0f;
    system.settings.startLifetime = 1.0f;
    system.settings.shapeArc = 0.0f; // straight up
    Transform().SetPosition({0.0f, 0.0f, 0.0f});
    system.SpawnParticle();
    system.SimulateParticles(0.5f, nullptr);
    system.SpawnParticle();
    const Vector3 camera(0.0f, -1.0f, 0.0f);
    system.SimulateParticles(0.25f, &camera);
    // Stream order is the order the previous step left: the older particle first.
    ASSERT_EQ(system.GetLiveCount(), 2);
    const std::vector<float>& stream = system.GetPositionSizeStream();
    EXPECT_THAT(std::vector<float>(stream.begin(), stream.begin() + 8),
                ElementsAre(0.0f, 8.5f, 0.0f, 1.0f, 0.0f, 3.5f, 0.0f, 1.0f));
    // The pool is now ordered far to near, dead records last.
    EXPECT_FLOAT_EQ(system.GetParticles()[0].depth, 9.5f * 9.5f);
    EXPECT_FLOAT_EQ(system.GetParticles()[1].depth, 4.5f * 4.5f);
    EXPECT_EQ(system.GetParticles()[2].depth, -1.0f);
    // Without colour over lifetime particles are white.
    EXPECT_THAT(std::vector<std::uint8_t>(system.GetColourStream().begin(), system.GetColourStream().begin() + 4),
                ElementsAre(255, 255, 255, 255));

    // A particle with less life left than the frame dies in that step and is the next to be reused.
    system.SimulateParticles(0.3f, nullptr);
    EXPECT_EQ(system.GetLiveCount(), 1);
    EXPECT_EQ(system.GetParticles()[1].depth, -1.0f);
    system.SpawnParticle();
    system.SimulateParticles(0.0001f, nullptr);
    EXPECT_EQ(system.GetLiveCount(), 2);
}

TEST_F(Particles, ColourAndSizeFollowTheLifetime)
{
    system.settings.startLifetime = 2.0f;
    system.settings.colourOverLifetime = true;
    system.settings.colourMax = {255.0f, 0.0f, 0.0f, 255.0f};
    system.settings.colourMin = {0.0f, 0.0f, 255.0f, 0.0f};
    system.settings.sizeOverLifetime = true;
    system.settings.sizeMax = 5.0f;
    system.settings.sizeMin = 1.0f;
    system.SpawnParticle();
    system.SimulateParticles(1.0f, nullptr);
    EXPECT_THAT(std::vector<std::uint8_t>(system.GetColourStream().begin(), system.GetColourStream().begin() + 4),
                ElementsAre(128, 0, 128, 128));
    EXPECT_FLOAT_EQ(system.GetPositionSizeStream()[3], 3.0f);

    // Colours outside 0 to 255 are held to it.
    system.settings.colourMax = {1000.0f, -50.0f, std::numeric_limits<float>::quiet_NaN(), 255.0f};
    system.settings.colourMin = system.settings.colourMax;
    system.SimulateParticles(0.5f, nullptr);
    EXPECT_THAT(std::vector<std::uint8_t>(system.GetColourStream().begin(), system.GetColourStream().begin() + 4),
                ElementsAre(255, 0, 0, 255));
}

TEST_F(Particles, AHugeShapeFromAFileKeepsThePoolInOrder)
{
    // Spans too wide for a float give positions that are not numbers; their depths must still sort.
    Load(system, Element(Leaf("ShapeShapeType", "4") + Leaf("ShapeScale", "3e38, 3e38, 3e38")));
    system.SetMaxParticles(200);
    for (int n = 0; n < 100; ++n)
        system.SpawnParticle();
    const Vector3 camera(1.0f, 2.0f, 3.0f);
    system.SimulateParticles(kTick, &camera);
    EXPECT_EQ(system.GetLiveCount(), 100);
    const std::vector<Particle>& pool = system.GetParticles();
    for (const Particle& particle : pool)
        ASSERT_FALSE(std::isnan(particle.depth));
    EXPECT_TRUE(std::is_sorted(pool.begin(), pool.end(),
                               [](const Particle& a, const Particle& b) { return a.depth > b.depth; }));
}

TEST_F(Particles, AFullPoolRestartsItsFirstRecord)
{
    system.SetMaxParticles(3);
    for (int n = 0; n < 3; ++n)
        system.SpawnParticle();
    system.SimulateParticles(1.0f, nullptr);
    const float lifeBefore = system.GetParticles()[1].life;
    system.SpawnParticle();
    EXPECT_EQ(system.GetParticles()[0].life, 100.0f);
    EXPECT_EQ(system.GetParticles()[1].life, lifeBefore);
}

TEST_F(Particles, EachShapeEmitsFromItsSurfaceAwayFromItsCentre)
{
    system.settings.startSpeed = 2.0f;
    Transform().SetPosition({10.0f, 0.0f, 0.0f});
    system.settings.shapePosition = {0.0f, 5.0f, 0.0f};
    const Vector3 centre(10.0f, 5.0f, 0.0f);
    for (int round = 0; round < 50; ++round)
    {
        system.settings.shapeArc = 0.0f;
        system.settings.shapeType = static_cast<int>(EmitterShape::Sphere);
        ExpectNear(SpawnOne().velocity, {0.0f, 2.0f, 0.0f}, "sphere without arc: along y");
        system.settings.shapeArc = 360.0f;
        system.settings.shapeRadius = 3.0f;
        const Particle& onSphere = SpawnOne();
        EXPECT_NEAR((onSphere.position - centre).Length(), 3.0f, 1e-4f);
        EXPECT_NEAR(onSphere.velocity.Length(), 2.0f, 1e-5f);

        system.settings.shapeType = static_cast<int>(EmitterShape::Cone);
        system.settings.shapeAngle = 0.0f;
        ExpectNear(SpawnOne().velocity, {0.0f, 0.0f, 2.0f}, "cone without angle: along z");
        system.settings.shapeType = static_cast<int>(EmitterShape::ConeVolume);
        system.settings.shapeAngle = 30.0f;
        EXPECT_NEAR(SpawnOne().velocity.z, 2.0f * std::cos(DegreesToRadians(30.0f)), 1e-5f);

        system.settings.shapeType = static_cast<int>(EmitterShape::Circle);
        const Particle& onCircle = SpawnOne();
        EXPECT_NEAR(onCircle.position.z, 0.0f, 1e-5f);
        EXPECT_NEAR((onCircle.position - centre).Length(), 3.0f, 1e-4f);

        system.settings.shapeScale = {1.0f, 2.0f, 0.5f};
        system.settings.shapeType = static_cast<int>(EmitterShape::BoxShell);
        system.settings.shapeFaceNormal = true;
        const Particle& onShell = SpawnOne();
        const Vector3 offset = onShell.position - centre;
        const Vector3 direction = onShell.velocity / 2.0f;
        // On the face the normal leaves: scaled twice, as the box shapes place their points.
        const float onFace = direction.x * offset.x + direction.y * offset.y / 4.0f + direction.z * offset.z / 0.25f;
        EXPECT_NEAR(std::abs(direction.x) + std::abs(direction.y) + std::abs(direction.z), 1.0f, 1e-5f);
        EXPECT_NEAR(onFace, 1.0f, 1e-4f);
        system.settings.shapeFaceNormal = false;
        system.settings.shapeType = static_cast<int>(EmitterShape::BoxEdge);
        const Vector3 onEdge = SpawnOne().position - centre;
        const int atCorner = (std::abs(std::abs(onEdge.x) - 1.0f) < 1e-4f) +
                             (std::abs(std::abs(onEdge.y) - 4.0f) < 1e-4f) +
                             (std::abs(std::abs(onEdge.z) - 0.25f) < 1e-4f);
        EXPECT_GE(atCorner, 2);
        system.settings.shapeScale = {1.0f, 1.0f, 1.0f};
    }
    system.settings.shapeType = 8;
    const Particle& unknown = SpawnOne();
    EXPECT_EQ(unknown.life, 100.0f); // started, but left where its record was
}

TEST_F(Particles, TheEmitterTurnsWithItsObjectAndFollowsItsParents)
{
    GameObject& parent = world.Live("Parent", 2);
    parent.EnsureTransform();
    parent.GetTransform()->SetPosition({0.0f, 100.0f, 0.0f});
    Transform().SetPosition({1.0f, 0.0f, 0.0f});
    Transform().SetParent(parent.GetTransform());
    Transform().SetRotation({0.0f, 90.0f, 0.0f});
    system.settings.shapeType = static_cast<int>(EmitterShape::Cone);
    system.settings.shapeAngle = 0.0f;
    system.settings.shapeRadius = 0.0f;
    const Particle& particle = SpawnOne();
    ExpectNear(particle.position, {1.0f, 100.0f, 0.0f}, "at the world position");
    const std::array<Vector3, 3>& basis = system.GetEmitterBasis();
    ExpectNear(particle.velocity, Vector3(basis[0].z, basis[1].z, basis[2].z) * 10.0f, "along the turned z axis");
    EXPECT_NEAR(std::abs(particle.velocity.x), 10.0f, 1e-4f);
}
