// GeneratePaths over a square grid of waypoints closed into a torus, so each leads to exactly four
// neighbours: 100, 196 and 400 waypoints.
#include "aicontroller.h"
#include "c_waypoint.h"
#include "objectfactory.h"
#include "transforminterface.h"

#include <benchmark/benchmark.h>
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
} // namespace
