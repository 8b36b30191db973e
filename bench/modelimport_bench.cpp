// Start-up model import: one task per model file against importing the files one after another, and against
// only reading them (the limit no import gets under); and reading them in this process against reading each in
// a child of the importer program, for the shipped models and for 100.
#include "model.h"
#include "resourcemanager.h"
#include "tempfolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace
{
constexpr int kModels = 100;

struct ModelTree
{
    ModelTree()
    {
        // The generated fixtures in turn, half of them in each folder; one in four a model of some size.
        const char* sources[] = {"Skinned.dae", "Grid.dae", "Cube.dae", "MultiMesh.dae"};
        for (int n = 0; n < kModels; ++n)
        {
            const bool animated = n % 2 == 0;
            const std::filesystem::path file = folder.Path() / "Assets/Models" /
                                               (animated ? "Animated" : "Non-Animated") /
                                               ("Model" + std::to_string(n) + ".dae");
            std::filesystem::create_directories(file.parent_path());
            std::filesystem::copy_file(std::string(NEKTARU_ASSETS_DIR "/Models/Fixtures/") + sources[n % 4], file);
            files.emplace_back(file.string(), animated);
        }
    }
    TempFolder folder;
    std::vector<std::pair<std::string, bool>> files;
};

const ModelTree& TheTree()
{
    static const ModelTree tree;
    return tree;
}

double SecondsOf(auto&& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The start-up import of every model under the root, read in children of the importer when one is given.
void ImportInParallel(const std::string& root, const std::string& importer = {})
{
    ResourceManager resources(root);
    resources.SetImporterProgram(importer);
    std::streambuf* console = std::cout.rdbuf(nullptr);
    resources.LoadModels();
    std::cout.rdbuf(console);
    for (std::future<void>& task : resources.modelTasks)
        task.get();
    benchmark::DoNotOptimize(resources.models.size());
}

void ImportOneByOne(const ModelTree& tree)
{
    for (const auto& [path, animated] : tree.files)
    {
        Model model("Model");
        benchmark::DoNotOptimize(model.LoadModel(path, animated));
    }
}

void ReadOnly(const ModelTree& tree)
{
    for (const auto& [path, animated] : tree.files)
    {
        std::ifstream file(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        benchmark::DoNotOptimize(bytes.size());
    }
}

template <class Reference>
void Compare(benchmark::State& state, Reference reference, const char* referenceName)
{
    const ModelTree& tree = TheTree();
    double ours = 0.0, theirs = 0.0;
    for (auto _ : state)
    {
        ours += SecondsOf([&] { ImportInParallel(tree.folder.Folder()); });
        theirs += SecondsOf([&] { reference(tree); });
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["parallel_ms"] = ours / iterations * 1e3;
    state.counters[referenceName] = theirs / iterations * 1e3;
    state.counters["ratio"] = ours / theirs;
}

void BM_ImportModels_vs_OneByOne(benchmark::State& state)
{
    Compare(state, ImportOneByOne, "one_by_one_ms");
}

void BM_ImportModels_vs_ReadingThem(benchmark::State& state)
{
    Compare(state, ReadOnly, "reading_ms");
}
void CompareChildImport(benchmark::State& state, const std::string& root)
{
    double here = 0.0, children = 0.0;
    for (auto _ : state)
    {
        here += SecondsOf([&] { ImportInParallel(root); });
        children += SecondsOf([&] { ImportInParallel(root, NEKTARU_IMPORTER_PATH); });
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["in_process_ms"] = here / iterations * 1e3;
    state.counters["in_children_ms"] = children / iterations * 1e3;
    state.counters["ratio"] = children / here;
}

void BM_ShippedModels_InChildren_vs_InProcess(benchmark::State& state)
{
    CompareChildImport(state, NEKTARU_ASSETS_DIR "/../");
}

void BM_100Models_InChildren_vs_InProcess(benchmark::State& state)
{
    CompareChildImport(state, TheTree().folder.Folder());
}
} // namespace

BENCHMARK(BM_ShippedModels_InChildren_vs_InProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_100Models_InChildren_vs_InProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportModels_vs_OneByOne)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportModels_vs_ReadingThem)->Unit(benchmark::kMillisecond);
