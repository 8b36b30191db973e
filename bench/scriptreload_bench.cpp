// A hot reload of the script library with 1,000 running objects carrying 3 scripts each: the time from the
// frame that sees the settled new build to the end of that frame, when every script has run again. Against
// the least any reload costs: copying the same library, loading the copy and freeing it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "core.h"
#include "gameobject.h"
#include "logic.h"
#include "logiconly.h"
#include "monobehavior.h"
#include "platform/dynamiclibrary.h"
#include "platform/files.h"
#include "scripthost.h"

namespace
{
constexpr int kObjects = 1000;
const char* const kScripts[] = {"Alpha", "Counter", "Props"};

void BM_HotReload1000ObjectsWith3Scripts_vs_CopyLoadFree(benchmark::State& state)
{
    LogicOnlyEngine engine(FIXTURE_SCRIPTS_V1);
    ScriptHostFolders& folders = engine.folders;
    Core& core = engine.core;
    Logic& logic = engine.GetLogic();

    std::vector<std::unique_ptr<GameObject>> objects;
    for (int index = 0; index < kObjects; ++index)
    {
        auto object = std::make_unique<GameObject>("Object", index + 1);
        auto* holder = dynamic_cast<MonoBehaviorDLL*>(object->AddComponent("MonoBehavior"));
        for (const char* name : kScripts)
        {
            auto script = logic.FindScript(name);
            script->owner = object.get();
            holder->SetScript(name, std::move(script));
        }
        logic.RegisterObject(object.get());
        objects.push_back(std::move(object));
    }
    core.Frame(); // everything awake, started and updated once

    const auto seconds = [](auto since) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
    };
    double reloads = 0.0;
    double references = 0.0;
    bool second = false;
    for (auto _ : state)
    {
        second = !second;
        const char* build = second ? FIXTURE_SCRIPTS_V2 : FIXTURE_SCRIPTS_V1;
        folders.Install(build);
        core.Frame(); // the new build is seen once; it counts when it is the same on the next frame
        TakeFixtureLog(folders.LoadedCopy());

        auto start = std::chrono::steady_clock::now();
        platform::ReplaceWithCopy(build, folders.UserFolder() + "Reference.so");
        platform::DynamicLibrary reference;
        reference.Load(folders.UserFolder() + "Reference.so");
        reference.Free();
        references += seconds(start);

        start = std::chrono::steady_clock::now();
        core.Frame();
        const double reload = seconds(start);
        reloads += reload;
        state.SetIterationTime(reload);
    }
    state.counters["reference_ms"] = references / static_cast<double>(state.iterations()) * 1e3;
    state.counters["ratio"] = reloads / references;
    state.counters["scripts"] = kObjects * std::size(kScripts);
    objects.clear();
}
}

BENCHMARK(BM_HotReload1000ObjectsWith3Scripts_vs_CopyLoadFree)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
