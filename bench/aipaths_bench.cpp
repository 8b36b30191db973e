// GeneratePaths over a square grid of waypoints closed into a torus, so each leads to exactly four
// neighbours: 100, 196, 400 and 1,600 waypoints, with the most memory the paths take on the way. Then the
// first two frames of the AI over a loaded level's grid.
#include "aicontroller.h"
#include "c_waypoint.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "transforminterface.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace
{
// Bytes allocated through operator new and not yet freed, and the most there were since the last reset.
std::atomic<std::size_t> gLiveBytes{0};
std::atomic<std::size_t> gPeakBytes{0};
} // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block)
        throw std::bad_alloc();
    const std::size_t live = gLiveBytes += malloc_usable_size(block);
    std::size_t peak = gPeakBytes.load();
    while (live > peak && !gPeakBytes.compare_exchange_weak(peak, live))
    {
    }
    return block;
}

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    gLiveBytes -= malloc_usable_size(block);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

namespace
{
// A side x side grid of waypoints one unit apart, registered with the AI system and closed into a torus:
// each leads to its four neighbours.
std::vector<Waypoint*> LinkedTorus(ObjectFactory& factory, AIController& ai, int side)
{
    std::vector<Waypoint*> grid;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            GameObject* object = factory.CreateObject("Waypoint", 0);
            object->GetTransform()->SetPosition({static_cast<float>(x), 0.0f, static_cast<float>(y)});
            grid.push_back(static_cast<Waypoint*>(object->AddComponent("Waypoint")));
            ai.RegisterObject(object);
        }
    const auto at = [&](int x, int y) {
        return grid[static_cast<std::size_t>((y + side) % side * side + (x + side) % side)];
    };
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            for (Waypoint* neighbour : {at(x + 1, y), at(x - 1, y), at(x, y + 1), at(x, y - 1)})
                at(x, y)->AddEdge(neighbour);
    return grid;
}

void BM_GeneratePaths(benchmark::State& state)
{
    ObjectFactory factory;
    AIController ai;
    const auto grid = LinkedTorus(factory, ai, static_cast<int>(state.range(0)));
    std::size_t peak = 0;
    for (auto _ : state)
    {
        // The first round starts without paths, so its figure holds all of them and the search's own.
        const std::size_t before = gLiveBytes;
        gPeakBytes = before;
        ai.GeneratePaths();
        peak = std::max(peak, gPeakBytes - before);
    }
    state.counters["waypoints"] = static_cast<double>(grid.size());
    state.counters["peak_MB"] = static_cast<double>(peak) / (1 << 20);
}
BENCHMARK(BM_GeneratePaths)->Arg(10)->Arg(14)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);

// The torus as a loaded level has it, with only the stored ids, and an AI system that has not run yet.
struct LoadedGrid
{
    explicit LoadedGrid(int side)
    {
        for (Waypoint* waypoint : LinkedTorus(factory, ai, side))
            waypoint->Edges().clear();
        while (messaging.QueuedCount() > 0)
            messaging.PopMessage();
    }

    ObjectFactory factory;
    AIController ai;
    MessagingSystem messaging{{&ai}};
};

// The AI's first update, the delivery of what it queued and the next update: the graph is built once.
void BM_FirstAIUpdates(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    double queued = 0.0;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto grid = std::make_unique<LoadedGrid>(side);
        state.ResumeTiming();
        grid->ai.Update();
        queued += static_cast<double>(grid->messaging.QueuedCount());
        grid->messaging.Update();
        grid->ai.Update();
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["waypoints"] = side * side;
    state.counters["queued_by_first_update"] = queued / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FirstAIUpdates)->Arg(30)->Unit(benchmark::kMillisecond);
} // namespace
