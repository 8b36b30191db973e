// The editor's windows pass over a scene of 5,000 objects, every tenth the child of the one before: one GUI
// frame without a window (layout, hierarchy rows, console, systems, inspector and scene windows). Target: at
// most 5 ms a frame in a release build.
#include "enginesystems.h"
#include "gameobject.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "tempfolder.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace
{
constexpr int kObjects = 5000;

class EditorWorld
{
public:
    EditorWorld()
        : core_(RendererAndEditorOnly()),
          messaging_(core_.MessageReceivers()), factory_(root_.Folder())
    {
        core_.SetEditorMode(true);
        GameObject* previous = nullptr;
        for (int n = 0; n < kObjects; ++n)
        {
            GameObject* object = factory_.SpawnObject("Object " + std::to_string(n), 0);
            if (n % 10 == 9)
                previous->AddChild(object);
            core_.GetGraphics()->RegisterObject(object);
            core_.GetEditor()->AddObjectEntry(object->GetID(), false);
            previous = object;
        }
        messaging_.Update();
    }

    Editor& editor() { return *core_.GetEditor(); }

private:
    TempFolder root_;
    Core core_;
    MessagingSystem messaging_;
    ObjectFactory factory_;
};
}

static void BM_EditorWindowsPass(benchmark::State& state)
{
    EditorWorld world;
    // The first frames place the windows and reload the prefabs.
    for (int frame = 0; frame < 3; ++frame)
        world.editor().Update();
    for (auto _ : state)
        world.editor().Update();
}
BENCHMARK(BM_EditorWindowsPass)->Unit(benchmark::kMillisecond);
