// Component::GetGameObject as scripts call it every frame: the components of every live object ask for
// their owner in turn.
#include "objectfactory.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace
{
void BM_GetGameObject(benchmark::State& state)
{
    ObjectFactory factory("/nonexistent/");
    std::vector<const Component*> components;
    for (int n = 0; n < state.range(0); ++n)
        components.push_back(factory.CreateObject("Object", 0)->GetComponents().front().get());
    std::size_t next = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(components[next]->GetGameObject(false));
        next = next + 1 == components.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_GetGameObject)->Arg(100)->Arg(5000);
} // namespace
