#include "resourcemanager.h"

#include "console.h"
#include "modelimport.h"
#include "platform/files.h"
#include "readahead.h"
#include "serializer.h"
#include "startup.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>
#include <iostream>
#include <sstream>

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

// Threads reading ahead: opening a file costs more than uploading or parsing it, and the taker never waits
// for them, so a few more than one keep ahead even when the machine is busy.
constexpr std::size_t kReaders = 4;

constexpr const char* kAnimatedFolder = "Assets/Models/Animated";
constexpr const char* kStaticFolder = "Assets/Models/Non-Animated";
constexpr const char* kTextureFolder = "Assets/Textures";
constexpr const char* kMaterialFolder = "Assets/Materials";
constexpr const char* kControllerFolder = "Assets/AnimationControllers";

// An XML file read ahead. One that could not be read is opened once more by the reader, which reports it as
// it reports any file it cannot open.
class ReadAheadXML
{
public:
    ReadAheadXML(const std::string& path, std::optional<std::string> bytes)
        : text_(bytes ? std::move(*bytes) : std::string()), reader_(bytes ? XMLReader(text_) : XMLReader(path))
    {
    }

    // The children of the file's root element; empty, after the report, when it could not be read.
    const XMLNodeList& RootChildren()
    {
        if (reader_.IsOpen())
            reader_.Parse();
        return reader_.GetRoot()->children;
    }

private:
    std::istringstream text_;
    XMLReader reader_;
};

std::vector<std::string> Concatenated(std::initializer_list<const std::vector<std::string>*> lists)
{
    std::vector<std::string> all;
    for (const std::vector<std::string>* list : lists)
        all.insert(all.end(), list->begin(), list->end());
    return all;
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
    // The texture, material and controller files are read on other threads from the start, while the shaders
    // compile and each file before them is uploaded or parsed.
    const std::vector<std::string> textureFiles = ListAssets(kTextureFolder);
    const std::vector<std::string> materialFiles = ListAssets(kMaterialFolder);
    const std::vector<std::string> controllerFiles = ListAssets(kControllerFolder);
    FileReadAhead reads(Concatenated({&textureFiles, &materialFiles, &controllerFiles}),
                        std::min<std::size_t>(kReaders, std::thread::hardware_concurrency()));
    LoadingStep("shaders", [this] { LoadShaders(); });
    LoadModels();
    LoadingStep("textures", [&] { LoadTextures(textureFiles, reads); });
    LoadingStep("materials", [&] { LoadMaterials(materialFiles, reads); });
    LoadingStep("animation controllers", [&] { LoadAnimationControllers(controllerFiles, reads); });
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

std::vector<std::string> ResourceManager::ListAssets(const std::string& folder) const
{
    return ListFolderFiles(rootFolder_ + folder);
}

void ResourceManager::ReportMissing(const std::string& folder) const
{
    const std::string path = rootFolder_ + folder;
    if (!platform::Exists(path))
        PrintColoredLine(ConsoleColor::Yellow, "\n\tResourceManager: no folder " + path + ", nothing loaded from it");
}

std::vector<std::string> ResourceManager::AssetFiles(const std::string& folder) const
{
    ReportMissing(folder);
    return ListAssets(folder);
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

void ResourceManager::SetImporterProgram(std::string program)
{
    importerProgram_ = std::move(program);
    importers_.reset();
    if (importerProgram_.empty())
        return;
    importers_ = std::make_shared<ImporterChildren>(importerProgram_);
    const std::size_t files = ListAssets(kAnimatedFolder).size() + ListAssets(kStaticFolder).size();
    importers_->Start(ImportThreads(files));
}

std::size_t ResourceManager::ImportThreads(std::size_t files) const
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = importerProgram_.empty() ? files : (files + kFilesPerChild - 1) / kFilesPerChild;
    return std::min(cores, wanted);
}

void ResourceManager::LoadModels()
{
    // The imports own the children from here on, so they end once the last file is read.
    std::shared_ptr<ImporterChildren> children = std::move(importers_);
    if (!children && !importerProgram_.empty())
        children = std::make_shared<ImporterChildren>(importerProgram_);
    ImportTasks imports;
    LoadingStep("animated models", [&] { LoadModelFolder(kAnimatedFolder, true, imports); });
    LoadingStep("non-animated models", [&] { LoadModelFolder(kStaticFolder, false, imports); });
    StartImports(std::move(imports), std::move(children));
}

void ResourceManager::StartImports(ImportTasks imports, std::shared_ptr<ImporterChildren> children)
{
    // A few threads rather than one per file: a small file imports faster than a thread starts.
    const auto shared = std::make_shared<ImportTasks>(std::move(imports));
    const auto next = std::make_shared<std::atomic<std::size_t>>(0);
    const std::size_t workers = ImportThreads(shared->size());
    for (std::size_t n = 0; n < workers; ++n)
        importWorkers_.push_back(std::async(std::launch::async, [shared, next, children]() mutable {
            for (std::size_t task = (*next)++; task < shared->size(); task = (*next)++)
                (*shared)[task](children.get());
            // The last worker to finish ends the children, rather than the futures kept until shut-down.
            children.reset();
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
        imports.emplace_back([model, path, animated](ImporterChildren* children) {
            children ? model->LoadModelInChild(path, animated, *children) : model->LoadModel(path, animated);
        });
        modelTasks.push_back(imports.back().get_future());
    }
}

void ResourceManager::LoadTextures(const std::vector<std::string>& files, FileReadAhead& reads)
{
    ReportMissing(kTextureFolder);
    for (const std::string& path : files)
    {
        const std::optional<std::string> bytes = reads.Take(path);
        const std::string name = GetFileName(path);
        if (!textures.contains(name))
            textures.emplace(name, LoadDDS(path, bytes));
    }
}

void ResourceManager::LoadMaterials(const std::vector<std::string>& files, FileReadAhead& reads)
{
    ReportMissing(kMaterialFolder);
    for (const std::string& path : files)
        LoadMaterial(path, reads.Take(path));
}

void ResourceManager::LoadMaterial(const std::string& path, std::optional<std::string> bytes)
{
    ReadAheadXML reader(path, std::move(bytes));
    const XMLNodeList& children = reader.RootChildren();
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

void ResourceManager::LoadAnimationControllers(const std::vector<std::string>& files, FileReadAhead& reads)
{
    ReportMissing(kControllerFolder);
    for (const std::string& path : files)
    {
        ReadAheadXML reader(path, reads.Take(path));
        const XMLNodeList& children = reader.RootChildren();
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
