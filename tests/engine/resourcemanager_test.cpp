#include "resourcemanager.h"
#include "ddsfile.h"
#include "glcontext.h"
#include "tempfolder.h"

#include <gmock/gmock.h>

#include <filesystem>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
template <class Map>
std::vector<std::string> Keys(const Map& map)
{
    std::vector<std::string> keys;
    for (const auto& entry : map)
        keys.push_back(entry.first);
    std::sort(keys.begin(), keys.end());
    return keys;
}

// A tree with one of each kind of file, files in sub-folders (never loaded) and a few bad files.
void WriteFixtureTree(const TempFolder& root)
{
    std::filesystem::create_directories(root.Path() / "Assets/Shaders");
    std::filesystem::copy(NEKTARU_SOURCE_DIR "/Bin/Assets/Shaders", root.Path() / "Assets/Shaders");
    root.Write("Assets/Textures/stone.dds", SolidDDS("DXT1", 8, 8, 4, 4 + 1 + 1 + 1, 0x07e0));
    root.Write("Assets/Textures/Stone.dds", SolidDDS("DXT5", 4, 4, 1, 1, 0x001f));
    root.Write("Assets/Textures/notdds.dds", "hello");
    root.Write("Assets/Textures/Skyboxes/MainSky/right.dds", SolidDDS("DXT1", 4, 4, 1, 1, 0));
    root.Write("Assets/Materials/Wall.xml", "<Material>\n\t<MatName>Wall</MatName>\n"
                                            "\t<DiffuseMap>stone.dds</DiffuseMap>\n"
                                            "\t<NormalMap>lost.dds</NormalMap>\n</Material>\n");
    // Another stem, the same material name: a second entry.
    root.Write("Assets/Materials/Wall2.xml", "<Material>\n\t<MatName>Wall</MatName>\n"
                                             "\t<SpecularMap>Stone.dds</SpecularMap>\n</Material>\n");
    root.Write("Assets/Materials/Empty.xml", "<Material>\n</Material>\n");
    root.Write("Assets/Materials/Old/Wall.xml", "<Material>\n\t<MatName>Old</MatName>\n</Material>\n");
    root.Write("Assets/AnimationControllers/Mummy.xml",
               "<AnimationController>\n\t<TotalFrames>10</TotalFrames>\n</AnimationController>\n");
    root.Write("Assets/UI/Pause.xml", "<UI>\n</UI>\n");
    root.Write("Assets/UI/Hud.xml", "<UI>\n</UI>\n");
    root.Write("Assets/UI/Menus/Main.xml", "<UI>\n</UI>\n");
}
}

using ResourceManagerTest = GLContextTest;

TEST_F(ResourceManagerTest, LoadAllResourcesFillsEveryCacheUnderItsKeys)
{
    TempFolder root;
    WriteFixtureTree(root);
    ResourceManager resources(root.Folder());
    EXPECT_EQ(gResourceManager, &resources);

    testing::internal::CaptureStdout();
    resources.LoadAllResources();
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_THAT(Keys(resources.shaders), ElementsAre("DepthPass", "Forward", "Line", "NoCamShader", "ObjPicking",
                                                     "PBR", "ParticleShader", "SkyboxShader", "SpriteShader",
                                                     "TestObj"));
    // Case counts; the material's missing texture gets a record of its own.
    EXPECT_THAT(Keys(resources.textures), ElementsAre("Stone.dds", "lost.dds", "notdds.dds", "stone.dds"));
    EXPECT_THAT(Keys(resources.materials), ElementsAre("Wall", "Wall2"));
    EXPECT_THAT(Keys(resources.animationControllers), ElementsAre("Mummy"));
    EXPECT_THAT(resources.uiFiles, ElementsAre("Hud", "Pause"));

    const Texture& stone = resources.textures.at("stone.dds");
    EXPECT_EQ(stone.name, "stone.dds");
    EXPECT_NE(stone.id, 0u);
    EXPECT_EQ(stone.kind, "diffuseTex");
    EXPECT_EQ(resources.textures.at("Stone.dds").kind, "specularTex");
    EXPECT_EQ(resources.textures.at("lost.dds").kind, "normalTex");
    EXPECT_EQ(resources.textures.at("lost.dds").id, 0u);
    EXPECT_EQ(resources.textures.at("notdds.dds").id, 0u);
    EXPECT_EQ(resources.materials.at("Wall2").name, "Wall");
    EXPECT_NE(resources.shaders.at("Forward").program, 0u);

    EXPECT_THAT(out, HasSubstr("\tResourceManager: Loading shaders ... "));
    EXPECT_THAT(out, HasSubstr("notdds.dds is not a DDS file."));
    EXPECT_THAT(out, HasSubstr("names the texture lost.dds"));
    EXPECT_THAT(out, Not(HasSubstr("error")));
    EXPECT_THAT(out, HasSubstr("\tResourceManager: Loading UI ... done\n"));

    resources.ClearResources();
    EXPECT_TRUE(resources.shaders.empty() && resources.textures.empty() && resources.materials.empty() &&
                resources.animationControllers.empty());
    // A look-up of an unknown name makes a default record.
    EXPECT_EQ(resources.materials["Nothing"].name, "defaultMaterial");
}

TEST_F(ResourceManagerTest, MissingFoldersAreReportedAndSkipped)
{
    TempFolder root;
    {
        ResourceManager resources(root.Folder());
        testing::internal::CaptureStdout();
        resources.LoadAllResources();
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_THAT(out, HasSubstr("ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ"));
        EXPECT_THAT(out, HasSubstr("no folder " + root.Folder() + "Assets/Textures"));
        EXPECT_THAT(out, HasSubstr("no folder " + root.Folder() + "Assets/UI"));
        EXPECT_EQ(resources.shaders.size(), 10u);
        EXPECT_TRUE(resources.textures.empty() && resources.materials.empty() && resources.uiFiles.empty());
    }
    EXPECT_EQ(gResourceManager, nullptr);
}
