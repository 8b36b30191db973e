#pragma once
#include "animationcontroller.h"
#include "helpers.h"
#include "material.h"
#include "model.h"
#include "shader.h"
#include "texture.h"

#include <future>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Owns every loaded rendering resource, found by name: programs by their registered names, textures by file
// name with extension, materials and controllers by file stem. Keys are case-sensitive. Filled once at
// start-up from the asset folders under the root folder; nothing is reloaded or removed during the run except
// by ClearResources. While it lives it is gResourceManager.
class FileReadAhead;
class ImporterChildren;

class ResourceManager final
{
public:
    // Every asset path starts with rootFolder, which ends in a separator.
    explicit ResourceManager(std::string rootFolder = GetExecutableFolder());
    ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Needs the GL context. Every bad or missing file is reported and skipped. The models are only read
    // here, each by a task of its own (modelTasks); ProcessModels finishes them once the tasks are done.
    void LoadAllResources();
    // The model steps of LoadAllResources: starts one import task per file of the two model folders.
    void LoadModels();
    // Finishes every model, in key order, on the thread that owns the GL context.
    void ProcessModels();
    // Empties the caches. GL programs and textures end with the context.
    void ClearResources();

    const std::string& RootFolder() const { return rootFolder_; }
    // The importer program whose children read the model files (modelimport.h); the program sets its own.
    // The children start at once, so that they have loaded by the time the models are read. Without one
    // (tests of other parts) the files are read in this process.
    void SetImporterProgram(std::string program);

    std::unordered_map<std::string, Shader> shaders;
    // Read with [] where a missing name should give a default record.
    std::map<std::string, Texture> textures;
    std::map<std::string, Material> materials;
    // By file stem; the first of two files of one stem keeps the key.
    std::map<std::string, std::unique_ptr<Model>> models;
    MissingTextures missingTextures;
    // One per started model import, waited for before ProcessModels.
    std::vector<std::future<void>> modelTasks;
    std::map<std::string, std::unique_ptr<AnimationController>> animationControllers;
    // Stems of the UI layout files, ascending.
    std::vector<std::string> uiFiles;

private:
    void LoadShaders();
    // Each reads its file in this process or, given them, in the importer's children.
    using ImportTasks = std::vector<std::packaged_task<void(ImporterChildren*)>>;
    // A child of the importer program is a process start, which only a share of the files is worth.
    static constexpr std::size_t kFilesPerChild = 12;
    // Threads for importing that many files, each with a child when there is an importer program.
    std::size_t ImportThreads(std::size_t files) const;
    void LoadModelFolder(const std::string& folder, bool animated, ImportTasks& imports);
    // Runs the imports on a few threads; each import's future is in modelTasks.
    void StartImports(ImportTasks imports, std::shared_ptr<ImporterChildren> children);
    // These take each file's bytes from the read-ahead, in the order of `files`.
    void LoadTextures(const std::vector<std::string>& files, FileReadAhead& reads);
    void LoadMaterials(const std::vector<std::string>& files, FileReadAhead& reads);
    void LoadMaterial(const std::string& path, std::optional<std::string> bytes);
    void LoadAnimationControllers(const std::vector<std::string>& files, FileReadAhead& reads);
    void LoadUI();
    // The files directly in the asset folder, sorted; none for a missing folder.
    std::vector<std::string> ListAssets(const std::string& folder) const;
    // A missing folder is reported in the step that would have read it.
    void ReportMissing(const std::string& folder) const;
    // Both of the above.
    std::vector<std::string> AssetFiles(const std::string& folder) const;

    std::string rootFolder_;
    std::string importerProgram_;
    // Started by SetImporterProgram, handed to the imports by LoadModels.
    std::shared_ptr<ImporterChildren> importers_;
    // The threads running the imports; they end once every import has run.
    std::vector<std::future<void>> importWorkers_;
};

// The one resource manager; set by its constructor, null once it is destroyed.
extern ResourceManager* gResourceManager;

// A copy of the cached material of that name. An unknown name first caches the default material under it;
// without a resource manager the default material is answered.
Material CachedMaterial(const std::string& name);
