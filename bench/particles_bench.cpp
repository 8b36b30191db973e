// One frame of the particle step over 10,000 live particles: ageing, moving, the two streams and the
// far-to-near ordering.
#include "c_particlesystem.h"

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
} // namespace
