// Registering N objects that carry one script each within one frame, as a level load does: the scripts are
// attached ("Cloned"), the objects registered ("Register") and the frame's life-cycle step wakes and starts
// them all. The time per object must not grow with N. Unregistering them all ("Destroy") is reported apart.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "core.h"
#include "gameobject.h"
#include "logic.h"
#include "logiconly.h"
#include "monobehavior.h"
#include "scripthost.h"

namespace
{
double SecondsSince(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_RegisterScriptedObjectsInOneFrame(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    LogicOnlyEngine engine(FIXTURE_SCRIPTS_V1);
    ScriptHostFolders& folders = engine.folders;
    Core& core = engine.core;
    Logic& logic = engine.GetLogic();

    double registering = 0.0;
    double unregistering = 0.0;
    for (auto _ : state)
    {
        std::vector<std::unique_ptr<GameObject>> objects;
        objects.reserve(count);
        for (std::size_t index = 0; index < count; ++index)
        {
            auto object = std::make_unique<GameObject>("Object", index + 1);
            auto* holder = dynamic_cast<MonoBehaviorDLL*>(object->AddComponent("MonoBehavior"));
            auto script = logic.FindScript("Props");
            script->owner = object.get();
            holder->SetScript("Props", std::move(script));
            objects.push_back(std::move(object));
        }

        auto start = std::chrono::steady_clock::now();
        for (const auto& object : objects)
            logic.AttachScripts(object.get());
        for (const auto& object : objects)
            logic.RegisterObject(object.get());
        core.Frame();
        const double registered = SecondsSince(start);
        registering += registered;
        state.SetIterationTime(registered);

        start = std::chrono::steady_clock::now();
        for (const auto& object : objects)
            logic.UnregisterObject(object.get());
        unregistering += SecondsSince(start);
        TakeFixtureLog(folders.LoadedCopy());
    }
    const double objects = static_cast<double>(count * state.iterations());
    state.counters["register_us_per_object"] = registering / objects * 1e6;
    state.counters["unregister_us_per_object"] = unregistering / objects * 1e6;
}
}

BENCHMARK(BM_RegisterScriptedObjectsInOneFrame)
    ->Arg(5000)
    ->Arg(20000)
    ->Arg(50000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
