// The renderer's bookkeeping for large scenes: the UI order of 5,000 images, all at one depth and at
// distinct depths; and filing and unfiling 50,000 renderables.
#include "c_meshrenderer.h"
#include "c_recttransform.h"
#include "gameobject.h"
#include "renderlists.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kImages = 5000;
constexpr int kRenderables = 50000;

// Live objects with a transform and the components of these element names.
std::vector<std::unique_ptr<GameObject>> MakeObjects(int count, std::initializer_list<const char*> components)
{
    std::vector<std::unique_ptr<GameObject>> objects;
    objects.reserve(count);
    for (int n = 0; n < count; ++n)
    {
        auto object = std::make_unique<GameObject>("Object " + std::to_string(n), 1000 + n);
        object->SetPlace(ObjectPlace::Live);
        object->EnsureTransform();
        for (const char* component : components)
            object->AddComponent(component);
        objects.push_back(std::move(object));
    }
    return objects;
}

RenderLists Lists()
{
    return RenderLists([](const std::string& name) { return name == "Glass"; });
}

// Images under one canvas, at depth 0 for state.range(0) == 0, else each at a depth of its own.
void BM_SortCanvasRenderers(benchmark::State& state)
{
    RenderLists lists = Lists();
    GameObject canvas("Canvas", 1);
    canvas.SetPlace(ObjectPlace::Live);
    canvas.AddComponent("Canvas");
    lists.FileObject(&canvas);
    auto images = MakeObjects(kImages, {"CanvasRenderer", "RectTransform", "Image"});
    for (int n = 0; n < kImages; ++n)
    {
        GameObject& image = *images[n];
        image.GetRectTransform()->SetPosition({0, 0, state.range(0) == 0 ? 0.0f : static_cast<float>(n) / 8});
        canvas.AddChild(&image);
        lists.FileObject(&image);
    }
    for (auto _ : state)
    {
        lists.SortCanvasRenderers();
        benchmark::DoNotOptimize(lists.UIOrder().size());
    }
}
BENCHMARK(BM_SortCanvasRenderers)->Arg(0)->Arg(1)->ArgNames({"distinct"})->Unit(benchmark::kMillisecond);

// Renderables, a quarter of them blended, in the order they were made.
std::vector<std::unique_ptr<GameObject>> Renderables()
{
    auto objects = MakeObjects(kRenderables, {"MeshRenderer"});
    for (int n = 0; n < kRenderables; ++n)
        objects[n]->GetComponent<MeshRenderer>()->AddMaterial(n % 4 == 0 ? "Glass" : "Stone");
    return objects;
}

void CountRenderables(benchmark::State& state)
{
    state.counters["objects_per_second"] =
        benchmark::Counter(kRenderables, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_FileRenderables(benchmark::State& state)
{
    const auto objects = Renderables();
    for (auto _ : state)
    {
        RenderLists lists = Lists();
        for (const auto& object : objects)
            lists.FileObject(object.get());
        state.PauseTiming();
        for (const auto& object : objects)
            lists.UnfileObject(object.get());
        state.ResumeTiming();
    }
    CountRenderables(state);
}
BENCHMARK(BM_FileRenderables)->Unit(benchmark::kMillisecond);

void BM_UnfileRenderables(benchmark::State& state)
{
    const auto objects = Renderables();
    for (auto _ : state)
    {
        state.PauseTiming();
        RenderLists lists = Lists();
        for (const auto& object : objects)
            lists.FileObject(object.get());
        state.ResumeTiming();
        for (const auto& object : objects)
            lists.UnfileObject(object.get());
    }
    CountRenderables(state);
}
BENCHMARK(BM_UnfileRenderables)->Unit(benchmark::kMillisecond);
} // namespace
