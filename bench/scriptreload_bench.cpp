// A hot reload of the script library with 1,000 running objects carrying 3 scripts each: the time from the
// frame that sees the settled new build to the end of that frame, when every script has run again.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core.h"
#include "gameobject.h"
#include "idlesystem.h"
#include "logic.h"
#include "messagingsystem.h"
#include "monobehavior.h"
#include "scripthost.h"

namespace
{
constexpr int kObjects = 1000;
const char* const kScripts[] = {"Alpha", "Counter", "Props"};

void BM_HotReload1000ObjectsWith3Scripts(benchmark::State& state)
{
    ScriptHostFolders folders;
    folders.Install(FIXTURE_SCRIPTS_V1);
    Core core([&](SystemId id) -> std::unique_ptr<System> {
        if (id == SystemId::Logic)
            return std::make_unique<Logic>(folders.LibraryFolder(), folders.UserFolder());
        return std::make_unique<IdleSystem>(id);
    });
    MessagingSystem messaging(core.MessageReceivers());
    core.Init();
    Logic& logic = *core.GetLogic();

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

    bool second = false;
    for (auto _ : state)
    {
        state.PauseTiming();
        second = !second;
        folders.Install(second ? FIXTURE_SCRIPTS_V2 : FIXTURE_SCRIPTS_V1);
        core.Frame(); // the new build is seen once; it counts when it is the same on the next frame
        TakeFixtureLog(folders.LoadedCopy());
        state.ResumeTiming();
        core.Frame();
    }
    state.counters["scripts"] = kObjects * std::size(kScripts);
    objects.clear();
}
}

BENCHMARK(BM_HotReload1000ObjectsWith3Scripts)->Unit(benchmark::kMillisecond)->Iterations(20);
