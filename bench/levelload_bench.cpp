// A generated level of 5,000 objects built from 20 prefabs, loaded through LoadLevelFile (objects,
// components, hierarchy), saved back through SaveLevel and destroyed through DestroyAllObjects; and a
// chain of 100,000 objects, each the parent of the one before, loaded; a canvas with 20,000 elements
// loaded; one root over 100,000 objects unloaded; and objects destroyed one at a time among many.
#include "core.h"
#include "editor.h"
#include "enginesystems.h"
#include "graphics.h"
#include "helpers.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "startup.h"
#include "tempfolder.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kPrefabs = 20;
constexpr int kObjects = 5000;
constexpr char kLevelFile[] = "Assets/XML/Bench.xml";
constexpr int kChainLength = 100000;
constexpr char kChainFile[] = "Assets/XML/Chain.xml";
constexpr int kCanvasElements = 20000;
constexpr char kCanvasFile[] = "Assets/XML/Canvas.xml";
constexpr int kFanChildren = 100000;
constexpr char kFanFile[] = "Assets/XML/Fan.xml";

std::string Transform(int n, bool whole)
{
    const std::string x = std::to_string(n % 97) + ".25";
    std::string text = "\t\t\t<Transform>\n";
    if (whole)
        text += "\t\t\t\t<Enabled>true</Enabled>\n";
    text += "\t\t\t\t<Position>" + x + ", 1.5, -" + x + "</Position>\n";
    if (whole)
        text += "\t\t\t\t<Rotation>0, " + std::to_string(n % 360) + ", 0</Rotation>\n\t\t\t\t<Scale>1, 1, 1</Scale>\n";
    return text + "\t\t\t</Transform>\n";
}

std::string Object(const std::string& name, int prefab, long long id, long long parent, const std::string& components)
{
    return "\t<Object>\n\t\t<Name>" + name + "</Name>\n\t\t<PrefabID>" + std::to_string(prefab) +
           "</PrefabID>\n\t\t<ID>" + std::to_string(id) + "</ID>\n\t\t<ParentID>" + std::to_string(parent) +
           "</ParentID>\n\t\t<Tag>Bench</Tag>\n\t\t<Enabled>true</Enabled>\n\t\t<Components>\n" + components +
           "\t\t</Components>\n\t</Object>\n";
}

// A scratch asset tree: the prefab files and "Assets/XML/Bench.xml". A third of the objects are unchanged
// prefab instances, a third override their position, a third are made from no prefab; every tenth object
// is a child of the one before it.
class BenchWorld
{
public:
    BenchWorld()
        : core_(RendererAndEditorOnly()),
          messaging_(core_.MessageReceivers())
    {
        std::filesystem::create_directories(root_.Path() / "Assets/Prefabs");
        std::filesystem::create_directories(root_.Path() / "Assets/XML");
        std::filesystem::create_directories(root_.Path() / "Assets/SceneSettings");
        factory_ = std::make_unique<ObjectFactory>(root_.Folder());
        for (int n = 1; n <= kPrefabs; ++n)
            factory_->CreatePrefab(static_cast<ObjectId>(n), "Prefab" + std::to_string(n));
        factory_->SavePrefabs(Folder("Prefabs"));
        factory_->SaveSceneSettings(Folder("SceneSettings") + "BenchSettings.xml");
        factory_.reset();
        factory_ = std::make_unique<ObjectFactory>(root_.Folder());
        for (const std::string& prefab : ListFolderFiles(Folder("Prefabs")))
            factory_->LoadPrefabFile(prefab);
        WriteLevel();
    }
    // Objects go before the folder they were loaded from.
    ~BenchWorld() { factory_.reset(); }

    ObjectFactory& Factory() { return *factory_; }
    std::string Folder(const std::string& name) const { return root_.Folder() + "Assets/" + name + "/"; }

    void Load(const std::string& relative = kLevelFile) { factory_->LoadLevelFile(root_.Folder() + relative, true); }
    void Write(const std::string& relative, const std::string& text) const { root_.Write(relative, text); }
    // Hands the queued messages to the systems and frees what was destroyed, as a frame does.
    void Settle()
    {
        messaging_.Update();
        factory_->FlushDestroyed();
    }
    void Clear()
    {
        factory_->DestroyAllObjects();
        Settle();
    }

private:
    void WriteLevel() const
    {
        std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Objects>\n";
        for (int n = 0; n < kObjects; ++n)
        {
            const long long id = 100000 + n;
            const long long parent = n % 10 == 9 ? id - 1 : 0;
            const int prefab = n % 3 == 2 ? 0 : 1 + n % kPrefabs;
            const std::string components = n % 3 == 0 ? "" : Transform(n, prefab == 0);
            text += Object("Object " + std::to_string(n), prefab, id, parent, components);
        }
        text += "</Objects>\n";
        root_.Write(kLevelFile, text);
    }

    // A folder of its own, so runs side by side never share one.
    TempFolder root_;
    Core core_;
    MessagingSystem messaging_;
    std::unique_ptr<ObjectFactory> factory_;
};

// Every iteration goes through the whole level.
void CountObjects(benchmark::State& state, int objects = kObjects)
{
    state.counters["objects_per_second"] =
        benchmark::Counter(static_cast<double>(objects), benchmark::Counter::kIsIterationInvariantRate);
}

std::string ChainLevel()
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Objects>\n";
    for (int n = 0; n < kChainLength; ++n)
    {
        const long long id = 100000 + n;
        text += Object("Link " + std::to_string(n), 0, id, n + 1 < kChainLength ? id + 1 : 0, "");
    }
    return text + "</Objects>\n";
}

std::string CanvasLevel()
{
    constexpr long long kCanvasId = 100000;
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Objects>\n" +
                       Object("Canvas", 0, kCanvasId, 0, "\t\t\t<Canvas>\n\t\t\t\t<PPU>100</PPU>\n\t\t\t</Canvas>\n");
    for (int n = 1; n <= kCanvasElements; ++n)
        text += Object("Element " + std::to_string(n), 0, kCanvasId + n, kCanvasId,
                       "\t\t\t<CanvasRenderer>\n\t\t\t\t<Enabled>true</Enabled>\n\t\t\t</CanvasRenderer>\n");
    return text + "</Objects>\n";
}

std::string FanLevel()
{
    constexpr long long kRootId = 100000;
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Objects>\n" + Object("Root", 0, kRootId, 0, "");
    for (int n = 1; n <= kFanChildren; ++n)
        text += Object("Leaf " + std::to_string(n), 0, kRootId + n, kRootId, "");
    return text + "</Objects>\n";
}

void BM_LoadLevelFile(benchmark::State& state)
{
    BenchWorld world;
    for (auto _ : state)
    {
        world.Load();
        state.PauseTiming();
        world.Clear();
        state.ResumeTiming();
    }
    CountObjects(state);
}
BENCHMARK(BM_LoadLevelFile)->Unit(benchmark::kMillisecond);

// A level of its own with its scene settings.
void WriteGenerated(BenchWorld& world, const std::string& file, const std::string& text)
{
    world.Write(file, text);
    world.Factory().SaveSceneSettings(world.Folder("SceneSettings") + GetFileStem(file) + "Settings.xml");
}

// Loads a level of its own, written once, in every iteration.
void LoadGenerated(benchmark::State& state, const std::string& file, const std::string& text, int objects)
{
    BenchWorld world;
    WriteGenerated(world, file, text);
    for (auto _ : state)
    {
        world.Load(file);
        state.PauseTiming();
        world.Clear();
        state.ResumeTiming();
    }
    CountObjects(state, objects);
}

void BM_LoadChain(benchmark::State& state)
{
    LoadGenerated(state, kChainFile, ChainLevel(), kChainLength);
}
BENCHMARK(BM_LoadChain)->Unit(benchmark::kMillisecond);

void BM_LoadCanvas(benchmark::State& state)
{
    LoadGenerated(state, kCanvasFile, CanvasLevel(), kCanvasElements + 1);
}
BENCHMARK(BM_LoadCanvas)->Unit(benchmark::kMillisecond);

void BM_SaveLevel(benchmark::State& state)
{
    BenchWorld world;
    world.Load();
    const std::string path = world.Folder("XML") + "Saved.xml";
    for (auto _ : state)
        world.Factory().SaveLevel(path);
    CountObjects(state);
}
BENCHMARK(BM_SaveLevel)->Unit(benchmark::kMillisecond);

void BM_DestroyAllObjects(benchmark::State& state)
{
    BenchWorld world;
    for (auto _ : state)
    {
        state.PauseTiming();
        world.Load();
        world.Settle();
        state.ResumeTiming();
        world.Factory().DestroyAllObjects();
        state.PauseTiming();
        world.Settle();
        state.ResumeTiming();
    }
    CountObjects(state);
}
BENCHMARK(BM_DestroyAllObjects)->Unit(benchmark::kMillisecond);

// Destroying and freeing every object of the fan, loaded (untimed) for each iteration.
void BM_UnloadFan(benchmark::State& state)
{
    BenchWorld world;
    WriteGenerated(world, kFanFile, FanLevel());
    for (auto _ : state)
    {
        state.PauseTiming();
        world.Load(kFanFile);
        world.Settle();
        state.ResumeTiming();
        world.Clear();
    }
    CountObjects(state, kFanChildren + 1);
}
BENCHMARK(BM_UnloadFan)->Iterations(3)->Unit(benchmark::kMillisecond);

// N objects made and then destroyed one at a time, the oldest first or the newest first, as shots and effects
// go: what one destroy costs, which must not grow with N. The freeing is not timed.
void BM_DestroyOneByOne(benchmark::State& state)
{
    BenchWorld world;
    ObjectFactory& factory = world.Factory();
    const auto count = static_cast<std::size_t>(state.range(0));
    const bool newestFirst = state.range(1) != 0;
    double seconds = 0.0;
    for (auto _ : state)
    {
        std::vector<GameObject*> made;
        for (std::size_t n = 0; n < count; ++n)
            made.push_back(factory.CreateObject("Shot", 0));
        if (newestFirst)
            std::reverse(made.begin(), made.end());
        const auto start = std::chrono::steady_clock::now();
        for (GameObject* object : made)
            factory.DestroyObject(object);
        const double destroyed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        seconds += destroyed;
        state.SetIterationTime(destroyed);
        world.Settle();
    }
    state.counters["us_per_object"] = seconds / double(count * state.iterations()) * 1e6;
}
BENCHMARK(BM_DestroyOneByOne)
    ->ArgsProduct({{5000, 50000}, {0, 1}})
    ->ArgNames({"objects", "newest_first"})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
} // namespace
