// LoadAllResources over a generated tree of 300 DDS textures and 100 materials, against the plain cost of
// reading the same files whole (the limit no loader can beat). The tree has no shader folder: compiling GLSL
// measures the driver, not the loader, but the ten programs are still tried, which costs the same on any tree;
// "fixed_ms" is that cost (an empty tree) and "ratio_of_files" leaves it out. Needs a display (xvfb-run).
#include "ddsfile.h"
#include "platform/window.h"
#include "resourcemanager.h"
#include "startup.h"
#include "tempfolder.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr int kTextures = 300;
constexpr int kMaterials = 100;

std::string TextureName(int n)
{
    return "Texture" + std::to_string(n) + ".dds";
}

// Two thirds 128x128 DXT1, one third 64x64 DXT5, each with its whole mip chain; every material names a diffuse
// and a normal map.
class Tree
{
public:
    Tree()
    {
        for (int n = 0; n < kTextures; ++n)
        {
            const std::string file = n % 3 == 2 ? SolidDDS("DXT5", 64, 64, 7, 256 + 64 + 16 + 4 + 3, 0x1234)
                                                : SolidDDS("DXT1", 128, 128, 8, 1024 + 256 + 64 + 16 + 4 + 3, 0xabcd);
            folder.Write("Assets/Textures/" + TextureName(n), file);
        }
        for (int n = 0; n < kMaterials; ++n)
            folder.Write("Assets/Materials/Material" + std::to_string(n) + ".xml",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Material>\n\t<MatName>Material" +
                             std::to_string(n) + "</MatName>\n\t<RenderMode>" + std::to_string(n % 2) +
                             "</RenderMode>\n\t<Diffuse>0.5, 0.5, 0.5, 1</Diffuse>\n"
                             "\t<Specular>1, 1, 1, 1</Specular>\n\t<Shininess>16</Shininess>\n"
                             "\t<Tiling>2, 2</Tiling>\n\t<DiffuseMap>" + TextureName(n) + "</DiffuseMap>\n"
                             "\t<SpecularMap></SpecularMap>\n\t<NormalMap>" + TextureName(n + 1) +
                             "</NormalMap>\n\t<HeightMap></HeightMap>\n</Material>\n");
        for (const char* kind : {"Textures", "Materials"})
            for (const std::string& file : ListFolderFiles(folder.Folder() + "Assets/" + kind))
                files.push_back(file);
    }

    TempFolder folder;
    std::vector<std::string> files;
};

double SecondsOf(auto&& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void ReadEveryFile(const std::vector<std::string>& files)
{
    for (const std::string& path : files)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        benchmark::DoNotOptimize(bytes.str().size());
    }
}

// The GL names of one load go again, so every iteration starts from the same driver state.
void DeleteTextures(const ResourceManager& resources)
{
    for (const auto& [name, texture] : resources.textures)
        glDeleteTextures(1, &texture.id);
}

// One window for the whole program: under Xvfb a window opened again after one was closed sometimes gets no
// context, and each repetition of a run would open one.
const platform::Window& TheWindow()
{
    static const platform::Window window("Nektaru benchmark", 64, 64);
    return window;
}

void BM_LoadAllResources_vs_ReadingTheFiles(benchmark::State& state)
{
    const platform::Window& window = TheWindow();
    if (!window.IsOpen())
    {
        state.SkipWithError(("no GL context: " + window.Error()).c_str());
        return;
    }
    const Tree tree;
    const TempFolder empty;
    ResourceManager resources(tree.folder.Folder());
    ResourceManager nothing(empty.Folder());
    // The missing shader folder's reports are the same every time; they are not what is measured.
    std::ostringstream console;
    std::streambuf* const out = std::cout.rdbuf(console.rdbuf());
    double ours = 0.0, limit = 0.0, fixed = 0.0;
    for (auto _ : state)
    {
        ours += SecondsOf([&] { resources.LoadAllResources(); });
        limit += SecondsOf([&] { ReadEveryFile(tree.files); });
        fixed += SecondsOf([&] { nothing.LoadAllResources(); });
        state.PauseTiming();
        DeleteTextures(resources);
        resources.ClearResources();
        nothing.ClearResources();
        console.str({});
        state.ResumeTiming();
    }
    std::cout.rdbuf(out);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = ours / iterations * 1e3;
    state.counters["read_ms"] = limit / iterations * 1e3;
    state.counters["fixed_ms"] = fixed / iterations * 1e3;
    state.counters["ratio"] = ours / limit;
    state.counters["ratio_of_files"] = (ours - fixed) / limit;
}
BENCHMARK(BM_LoadAllResources_vs_ReadingTheFiles)->Unit(benchmark::kMillisecond);
}
