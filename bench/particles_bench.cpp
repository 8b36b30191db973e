// One frame of the particle step over 10,000 live particles: ageing, moving, the two streams and the
// far-to-near ordering; and whole emission ticks of 120,000 particles a second into a full pool of 10,000 and
// of 100,000 records.
#include "c_particlesystem.h"
#include "gameobject.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int kLive = 10000;

void BM_SimulateParticles(benchmark::State& state)
{
    ParticleSystem system;
    system.SetMaxParticles(kLive);
    system.SeedRandom(1);
    system.settings.startLifetime = 1.0e6f;
    system.settings.colourOverLifetime = true;
    system.settings.shapeType = static_cast<int>(EmitterShape::Sphere);
    for (int n = 0; n < kLive; ++n)
        system.SpawnParticle();
    const Vector3 camera(0.0f, 2.0f, -30.0f);
    for (auto _ : state)
        system.SimulateParticles(1.0f / 60.0f, &camera);
    state.counters["per_particle"] =
        benchmark::Counter(kLive, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SimulateParticles)->Unit(benchmark::kMicrosecond);

void BM_EmitIntoFullPool(benchmark::State& state)
{
    const auto slots = static_cast<int>(state.range(0));
    GameObject emitter("Emitter", 1);
    emitter.SetPlace(ObjectPlace::Live);
    emitter.EnsureTransform();
    auto& system = *static_cast<ParticleSystem*>(emitter.AddComponent("ParticleSystem"));
    system.SetMaxParticles(slots);
    system.SeedRandom(1);
    system.settings.startLifetime = 1.0e6f;
    system.settings.emissionRate = 120000;
    for (int n = 0; n < slots; ++n)
        system.SpawnParticle();
    for (auto _ : state)
        system.EmissionTick(1.0f / ParticleSystem::kTicksPerSecond, nullptr);
}
BENCHMARK(BM_EmitIntoFullPool)->Arg(10000)->Arg(100000)->ArgNames({"slots"})->Unit(benchmark::kMillisecond);
} // namespace
