// GeneratePaths over a square grid of waypoints closed into a torus, so each leads to exactly four
// neighbours: 100, 196 and 400 waypoints. Then the first two frames of the AI over a loaded level's grid.
#include "aicontroller.h"
#include "c_waypoint.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "transforminterface.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace
{
void BM_GeneratePaths(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    ObjectFactory factory;
    AIController ai;
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

    for (auto _ : state)
        ai.GeneratePaths();
    state.counters["waypoints"] = static_cast<double>(grid.size());
}
BENCHMARK(BM_GeneratePaths)->Arg(10)->Arg(14)->Arg(20)->Unit(benchmark::kMillisecond);

// A side x side grid whose waypoints store the ids of their four neighbours, as a loaded level has them, and
// an AI system that has not run yet.
struct LoadedGrid
{
    explicit LoadedGrid(int side)
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
        const auto link = [&](int x, int y, int toX, int toY) {
            if (toX >= 0 && toY >= 0 && toX < side && toY < side)
                grid[static_cast<std::size_t>(y * side + x)]->AddEdge(grid[static_cast<std::size_t>(toY * side + toX)]);
        };
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
            {
                link(x, y, x + 1, y);
                link(x, y, x - 1, y);
                link(x, y, x, y + 1);
                link(x, y, x, y - 1);
            }
        // Only the stored ids stay: the AI system resolves them on its first update.
        for (Waypoint* waypoint : grid)
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
