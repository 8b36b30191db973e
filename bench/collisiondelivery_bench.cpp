// Collision events delivered to the scripts: every one of N resting scripted bodies touches the floor once
// a frame, so Logic hands on N stay events, each to the one body of the pair that carries scripts.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "collisiondata.h"
#include "core.h"
#include "gameobject.h"
#include "logic.h"
#include "logiconly.h"
#include "message.h"
#include "monobehavior.h"
#include "scripthost.h"

namespace
{
void BM_CollisionStayEventsPerFrame(benchmark::State& state)
{
    LogicOnlyEngine engine(FIXTURE_SCRIPTS_V1);
    ScriptHostFolders& folders = engine.folders;
    Core& core = engine.core;
    Logic& logic = engine.GetLogic();

    GameObject floor("Floor", 1);
    std::vector<std::unique_ptr<GameObject>> bodies;
    std::vector<Message<CollisionData>> events;
    for (int index = 0; index < state.range(0); ++index)
    {
        auto body = std::make_unique<GameObject>("Body", index + 2);
        auto* holder = dynamic_cast<MonoBehaviorDLL*>(body->AddComponent("MonoBehavior"));
        // A script that keeps no log of its events.
        auto script = logic.FindScript("Props");
        script->owner = body.get();
        holder->SetScript("Props", std::move(script));
        logic.RegisterObject(body.get());
        CollisionData contact;
        contact.objectA = &floor;
        contact.objectB = body.get();
        events.emplace_back(SystemId::Physics, SystemId::Logic, MessageNames::OnCollisionStay, contact);
        bodies.push_back(std::move(body));
    }
    core.Frame(); // every script awake and started
    TakeFixtureLog(folders.LoadedCopy());

    for (auto _ : state)
        for (const auto& event : events)
            logic.HandleMessage(event);
    state.counters["events"] = static_cast<double>(events.size());
    bodies.clear();
}
BENCHMARK(BM_CollisionStayEventsPerFrame)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
} // namespace
