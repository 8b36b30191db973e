#include "resourcemanager.h"

#include "console.h"
#include "platform/files.h"
#include "serializer.h"
#include "startup.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>
#include <iostream>

ResourceManager* gResourceManager = nullptr;

namespace
{
struct ShaderEntry
{
    const char* stem;
    const char* name;
};

// In load order.
constexpr std::array<ShaderEntry, 10> kShaders = {{
    {"objectPicking", "ObjPicking"},
    {"depthPass", "DepthPass"},
    {"skybox", "SkyboxShader"},
    {"spriteShader", "SpriteShader"},
    {"particleShader", "ParticleShader"},
    {"forward", "Forward"},
    {"testObj", "TestObj"},
    {"pbr", "PBR"},
    {"line", "Line"},
    {"nocam", "NoCamShader"},
}};

template <class Load>
void LoadingStep(const char* what, Load load)
{
    std::cout << "\tResourceManager: Loading " << what << " ... " << std::flush;
    load();
    PrintColoredLine(ConsoleColor::Green, "done");
}

// The children of the file's root element; empty, with the reader's report, when it could not be read.
const XMLNodeList& RootChildren(XMLReader& reader)
{
    if (reader.IsOpen())
        reader.Parse();
    return reader.GetRoot()->children;
}
}

Material CachedMaterial(const std::string& name)
{
    return gResourceManager ? gResourceManager->materials[name] : Material();
}

ResourceManager::ResourceManager(std::string rootFolder) : rootFolder_(std::move(rootFolder))
{
    gResourceManager = this;
}

ResourceManager::~ResourceManager()
{
    ClearResources();
    if (gResourceManager == this)
        gResourceManager = nullptr;
}

void ResourceManager::LoadAllResources()
{
    LoadingStep("shaders", [this] { LoadShaders(); });
    LoadModels();
    LoadingStep("textures", [this] { LoadTextures(); });
    LoadingStep("materials", [this] { LoadMaterials(); });
    LoadingStep("animation controllers", [this] { LoadAnimationControllers(); });
    LoadingStep("UI", [this] { LoadUI(); });
}

void ResourceManager::ProcessModels()
{
    for (auto& [stem, model] : models)
        model->ProcessModel(textures, missingTextures);
}

void ResourceManager::ClearResources()
{
    // A model still being read is not freed under its task.
    for (std::future<void>& worker : importWorkers_)
        worker.wait();
    animationControllers.clear();
    materials.clear();
    models.clear();
    textures.clear();
    shaders.clear();
}

std::vector<std::string> ResourceManager::AssetFiles(const std::string& folder) const
{
    const std::string path = rootFolder_ + folder;
    if (!platform::Exists(path))
        PrintColoredLine(ConsoleColor::Yellow, "\n\tResourceManager: no folder " + path + ", nothing loaded from it");
    return ListFolderFiles(path);
}

void ResourceManager::LoadShaders()
{
    const std::string folder = rootFolder_ + "Assets/Shaders/";
    for (const ShaderEntry& entry : kShaders)
    {
        if (shaders.contains(entry.name))
            continue;
        const std::string stem = folder + entry.stem;
        shaders.emplace(entry.name, Shader((stem + ".vs").c_str(), (stem + ".fs").c_str()));
    }
}

void ResourceManager::LoadModels()
{
    ImportTasks imports;
    LoadingStep("animated models", [&] { LoadModelFolder("Assets/Models/Animated", true, imports); });
    LoadingStep("non-animated models", [&] { LoadModelFolder("Assets/Models/Non-Animated", false, imports); });
    StartImports(std::move(imports));
}

void ResourceManager::StartImports(ImportTasks imports)
{
    // A thread per core rather than per file: a small file imports faster than a thread starts.
    const auto shared = std::make_shared<ImportTasks>(std::move(imports));
    const auto next = std::make_shared<std::atomic<std::size_t>>(0);
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers = std::min(cores, shared->size());
    for (std::size_t n = 0; n < workers; ++n)
        importWorkers_.push_back(std::async(std::launch::async, [shared, next] {
            for (std::size_t task = (*next)++; task < shared->size(); task = (*next)++)
                (*shared)[task]();
        }));
}

void ResourceManager::LoadModelFolder(const std::string& folder, bool animated, ImportTasks& imports)
{
    for (const std::string& path : AssetFiles(folder))
    {
        const auto [entry, added] = models.try_emplace(GetFileStem(path), nullptr);
        if (!added)
            continue;
        entry->second = std::make_unique<Model>(entry->first);
        Model* model = entry->second.get();
        imports.emplace_back([model, path, animated, importer = importerProgram_] {
            importer.empty() ? model->LoadModel(path, animated) : model->LoadModelInChild(path, animated, importer);
        });
        modelTasks.push_back(imports.back().get_future());
    }
}

void ResourceManager::LoadTextures()
{
    for (const std::string& path : AssetFiles("Assets/Textures"))
    {
        const std::string name = GetFileName(path);
        if (!textures.contains(name))
            textures.emplace(name, LoadDDS(path));
    }
}

void ResourceManager::LoadMaterials()
{
    for (const std::string& path : AssetFiles("Assets/Materials"))
        LoadMaterial(path);
}

void ResourceManager::LoadMaterial(const std::string& path)
{
    XMLReader reader(path);
    const XMLNodeList& children = RootChildren(reader);
    if (children.empty())
        return;
    Material material;
    material.Deserialize(children);
    materials.try_emplace(GetFileStem(path), material);

    const std::pair<const std::string*, const char*> maps[] = {
        {material.hasDiffuseMap ? &material.diffuseMap : nullptr, "diffuseTex"},
        {material.hasSpecularMap ? &material.specularMap : nullptr, "specularTex"},
        {material.hasNormalMap ? &material.normalMap : nullptr, "normalTex"},
        {material.hasHeightMap ? &material.heightMap : nullptr, "heightTex"},
    };
    for (const auto& [map, kind] : maps)
    {
        if (!map)
            continue;
        // The record is made anyway, so the material draws with its colour and the name is known.
        if (!textures.contains(*map))
            PrintColoredLine(ConsoleColor::Red, "\n\tResourceManager: " + path + " names the texture " + *map +
                                                    ", which is not in Assets/Textures");
        Texture& texture = textures[*map];
        texture.kind = kind;
    }
}

void ResourceManager::LoadAnimationControllers()
{
    for (const std::string& path : AssetFiles("Assets/AnimationControllers"))
    {
        XMLReader reader(path);
        const XMLNodeList& children = RootChildren(reader);
        const std::string stem = GetFileStem(path);
        if (children.empty() || animationControllers.contains(stem))
            continue;
        auto controller = std::make_unique<AnimationController>();
        controller->Deserialize(children);
        animationControllers.emplace(stem, std::move(controller));
    }
}

void ResourceManager::LoadUI()
{
    for (const std::string& path : AssetFiles("Assets/UI"))
        uiFiles.push_back(GetFileStem(path));
    std::sort(uiFiles.begin(), uiFiles.end());
}
