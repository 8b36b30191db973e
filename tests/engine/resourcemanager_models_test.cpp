// The model steps of start-up loading: one import task per model file, finished on the main thread.
#include "glcontext.h"
#include "resourcemanager.h"
#include "tempfolder.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace
{
using testing::ElementsAre;
using testing::HasSubstr;

using ResourceManagerModels = GLContextTest;

void CopyFixture(const TempFolder& root, const std::string& file, const std::string& folder, std::string as = "")
{
    const std::filesystem::path target = root.Path() / "Assets/Models" / folder / (as.empty() ? file : as);
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(NEKTARU_ASSETS_DIR "/Models/Fixtures/" + file, target);
}

TEST_F(ResourceManagerModels, EachModelFileIsImportedByItsOwnTaskAndProcessedInKeyOrder)
{
    TempFolder root;
    CopyFixture(root, "Skinned.dae", "Animated");
    CopyFixture(root, "Cube.dae", "Animated");
    // The same stem in the second folder: the animated one keeps the key.
    CopyFixture(root, "Quad.dae", "Non-Animated", "Cube.dae");
    CopyFixture(root, "MultiMesh.dae", "Non-Animated");
    CopyFixture(root, "Broken.dae", "Non-Animated");
    CopyFixture(root, "Quad.dae", "Non-Animated/Nested");
    ResourceManager resources(root.Folder());

    testing::internal::CaptureStdout();
    resources.LoadAllResources();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_THAT(out, HasSubstr("\tResourceManager: Loading animated models ... done\n"));
    EXPECT_THAT(out, HasSubstr("\tResourceManager: Loading non-animated models ... done\n"));
    ASSERT_EQ(resources.modelTasks.size(), 4u);
    std::vector<std::string> keys;
    for (const auto& [stem, model] : resources.models)
        keys.push_back(stem);
    EXPECT_THAT(keys, ElementsAre("Broken", "Cube", "MultiMesh", "Skinned"));

    for (std::future<void>& task : resources.modelTasks)
        task.get();
    testing::internal::CaptureStdout();
    resources.ProcessModels();
    out = testing::internal::GetCapturedStdout();
    EXPECT_THAT(out, HasSubstr("\t\tERROR::ASSIMP:: "));

    const Model& cube = *resources.models.at("Cube");
    EXPECT_EQ(cube.postProcessFlags, 0x808009u);
    EXPECT_EQ(cube.meshes.at(0).vertexCount, 36u);
    EXPECT_TRUE(resources.models.at("Broken")->meshes.empty());
    for (const auto& [stem, model] : resources.models)
        for (const Mesh& mesh : model->meshes)
            EXPECT_NE(mesh.vao, 0u) << stem;
    // Baking the node transforms joins meshes of one material.
    EXPECT_EQ(resources.models.at("MultiMesh")->meshes.size(), 2u);
    EXPECT_TRUE(resources.models.at("Skinned")->hasAnimation);
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));

    resources.ClearResources();
    EXPECT_TRUE(resources.models.empty());
}
TEST_F(ResourceManagerModels, FilesThatEndTheImporterAreReportedByNameAndTheOtherModelsLoad)
{
    TempFolder root;
    CopyFixture(root, "Skinned.dae", "Animated");
    CopyFixture(root, "Cube.dae", "Non-Animated");
    CopyFixture(root, "Broken.dae", "Non-Animated");
    // Files on which the importer aborts and allocates without end.
    const std::filesystem::path folder = root.Path() / "Assets/Models/Non-Animated";
    const std::string ending[] = {"importer-abort.dae", "importer-runaway.dae"};
    for (const std::string& file : ending)
        std::filesystem::copy_file(NEKTARU_TEST_DATA "/models/" + file, folder / file);
    ResourceManager resources(root.Folder());
    resources.SetImporterProgram(NEKTARU_IMPORTER_PATH);

    testing::internal::CaptureStdout();
    resources.LoadAllResources();
    for (std::future<void>& task : resources.modelTasks)
        task.get();
    resources.ProcessModels();
    const std::string out = testing::internal::GetCapturedStdout();

    for (const std::string& file : ending)
    {
        EXPECT_THAT(out, HasSubstr("\t\tERROR::ASSIMP:: " + (folder / file).string() + ": the importer "));
        EXPECT_TRUE(resources.models.at(file.substr(0, file.find('.')))->meshes.empty()) << file;
    }
    EXPECT_TRUE(resources.models.at("Broken")->meshes.empty());
    const Model& cube = *resources.models.at("Cube");
    EXPECT_EQ(cube.postProcessFlags, 0x808109u);
    ASSERT_EQ(cube.meshes.size(), 1u);
    EXPECT_EQ(cube.meshes[0].vertexCount, 36u);
    EXPECT_NE(cube.meshes[0].vao, 0u);
    const Model& skinned = *resources.models.at("Skinned");
    EXPECT_TRUE(skinned.hasAnimation);
    EXPECT_EQ(skinned.boneCount, 3u);
}
} // namespace
