// The frame time of the shipped "TombLevel1" at 1280 x 800: the engine's systems and the built game library on
// the level as it ships, 300 fixed 1/60 s frames of one route (stand while the screen fades in, walk in, turn,
// walk on), the window shown. Counters give the milliseconds per frame of the whole frame and of each system;
// the variants take the shadow map or the picture's pixels away to tell which part of the drawing costs.
// Run it on a quiet machine, under a display (`xvfb-run -a -s "-screen 0 1280x800x24"`).
#include "core.h"
#include "levelrunner.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <string>

namespace
{
constexpr int kFrames = 300;

struct Variant
{
    const char* label;
    RunnerPicture picture;
};

// The program's own picture, then the same without a shadow map worth the name, then without the pixels.
const Variant kVariants[] = {
    {"1280x800", {1280, 800, 1024}},
    {"1280x800_shadowmap_1px", {1280, 800, 1}},
    {"64x40", {64, 40, 1024}},
};

// Keys held over the route's frames; a key down at its first frame and up after its last.
struct Leg
{
    int first;
    int last;
    SDL_Keycode key;
};

constexpr Leg kRoute[] = {
    {60, 179, SDLK_w},
    {180, 209, SDLK_d},
    {210, 299, SDLK_w},
};

void DriveRoute(LevelRunner& runner)
{
    for (int frame = 0; frame < kFrames; ++frame)
    {
        for (const Leg& leg : kRoute)
        {
            if (frame == leg.first)
                runner.Hold(leg.key);
            if (frame == leg.last + 1)
                runner.Let(leg.key);
        }
        runner.Frames(1);
    }
    for (const Leg& leg : kRoute)
        runner.Let(leg.key);
}

void BM_TombLevel1Route(benchmark::State& state)
{
    std::string reason;
    if (!LevelRunner::CanRun(reason))
    {
        state.SkipWithError(reason.c_str());
        return;
    }
    const Variant& variant = kVariants[state.range(0)];
    state.SetLabel(variant.label);
    double seconds = 0.0;
    std::map<SystemId, double> systemSeconds;
    for (auto _ : state)
    {
        state.PauseTiming();
        LevelRunner runner("", "TombLevel1", variant.picture);
        runner.Show();
        const std::map<SystemId, double> before = runner.GetCore().SystemTimes();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        DriveRoute(runner);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        for (const auto& [id, total] : runner.GetCore().SystemTimes())
            systemSeconds[id] += total - (before.contains(id) ? before.at(id) : 0.0);
        state.ResumeTiming();
    }
    const double frames = static_cast<double>(state.iterations()) * kFrames;
    state.counters["frame_ms"] = 1000.0 * seconds / frames;
    for (const auto& [id, total] : systemSeconds)
    {
        std::string name = SystemNameMap()[id];
        std::ranges::transform(name, name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        state.counters[name + "_ms"] = 1000.0 * total / frames;
    }
}

BENCHMARK(BM_TombLevel1Route)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
