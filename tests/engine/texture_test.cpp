#include "texture.h"
#include "ddsfile.h"
#include "glcontext.h"
#include "matrix4.h"
#include "shader.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace
{
std::vector<std::size_t> LevelSizes(const DDSImage& image)
{
    std::vector<std::size_t> sizes;
    for (const DDSLevel& level : image.levels)
        sizes.push_back(level.size);
    return sizes;
}
}

TEST(DDSParse, LevelSizesFollowTheDimensionsOfEachFormat)
{
    struct Case
    {
        const char* fourCC;
        std::uint32_t width, height, mipCount;
        std::size_t blocks;
        DDSFormat format;
        std::vector<std::size_t> sizes;
    };
    const Case cases[] = {
        // Blocks cover at least 4x4 pixels, so the small levels all cost one block.
        {"DXT1", 64, 64, 7, 256 + 64 + 16 + 4 + 3, DDSFormat::DXT1, {2048, 512, 128, 32, 8, 8, 8}},
        {"DXT3", 8, 8, 4, 4 + 1 + 1 + 1, DDSFormat::DXT3, {64, 16, 16, 16}},
        {"DXT5", 16, 16, 1, 16, DDSFormat::DXT5, {256}},
        // Sides halve on their own and stop at 1.
        {"DXT1", 16, 4, 5, 4 + 2 + 1 + 1 + 1, DDSFormat::DXT1, {32, 16, 8, 8, 8}},
        // No mip count is one level.
        {"DXT5", 8, 8, 0, 4, DDSFormat::DXT5, {64}},
        {"DXT1", 4, 4, 3, 3, DDSFormat::DXT1, {8, 8, 8}},
        // Levels past 1x1 are left out.
        {"DXT1", 4, 4, 9, 9, DDSFormat::DXT1, {8, 8, 8}},
        // A side that is no multiple of 4 still needs whole blocks.
        {"DXT1", 5, 3, 1, 2, DDSFormat::DXT1, {16}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.fourCC) + " " + std::to_string(c.width) + "x" + std::to_string(c.height));
        const DDSImage image = ParseDDS(SolidDDS(c.fourCC, c.width, c.height, c.mipCount, c.blocks, 0xf800));
        EXPECT_EQ(image.error, "");
        EXPECT_FALSE(image.truncated);
        EXPECT_EQ(image.format, c.format);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(LevelSizes(image), c.sizes);
        ASSERT_FALSE(image.levels.empty());
        EXPECT_EQ(image.levels[0].offset, DDSImage::kHeaderSize);
        for (std::size_t level = 1; level < image.levels.size(); ++level)
            EXPECT_EQ(image.levels[level].offset, image.levels[level - 1].offset + image.levels[level - 1].size);
    }
}

TEST(DDSParse, TruncatedFilesKeepTheirCompleteLevelsOnly)
{
    // 64x64 with 7 levels needs 2744 bytes of blocks; give the top two levels and half the third.
    const DDSImage cut = ParseDDS(SolidDDS("DXT1", 64, 64, 7, 256 + 64 + 8, 0));
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.error, "");
    EXPECT_EQ(LevelSizes(cut), (std::vector<std::size_t>{2048, 512}));

    const DDSImage noTopLevel = ParseDDS(SolidDDS("DXT5", 8, 8, 1, 3, 0));
    EXPECT_NE(noTopLevel.error, "");
    EXPECT_TRUE(noTopLevel.levels.empty());
}

TEST(DDSParse, FilesThatAreNotDXTTexturesGiveAnError)
{
    const std::string good = SolidDDS("DXT1", 4, 4, 1, 1, 0);
    std::string wrongMagic = good;
    wrongMagic[3] = 'X';
    const std::string cases[] = {
        "", "DDS", wrongMagic, good.substr(0, 100), SolidDDS("DX10", 4, 4, 1, 1, 0), DDSHeader("\0\0\0\0", 4, 4, 1),
        // No size at all.
        SolidDDS("DXT1", 0, 4, 1, 1, 0),
        // Sides no texture can have, whose byte count would not even fit a size_t.
        SolidDDS("DXT5", 0xffffffff, 0xffffffff, 0xffffffff, 1, 0),
    };
    for (const std::string& file : cases)
    {
        const DDSImage image = ParseDDS(file);
        EXPECT_NE(image.error, "") << file.size();
        EXPECT_TRUE(image.levels.empty());
    }
}

TEST(DDSParse, DamagedFilesNeverGiveALevelOutsideTheFile)
{
    const std::string good = SolidDDS("DXT5", 64, 32, 7, 128 + 32 + 8 + 2 + 1 + 1 + 1, 0x1234);
    struct Damage
    {
        std::size_t offset;
        std::uint32_t value;
    };
    // Sides, mip count and FourCC set to what a broken or hostile writer could leave there.
    const Damage damages[] = {
        {12, 0}, {12, 1}, {12, 0xffffffff}, {12, 65536}, {12, 65537}, {16, 0x80000000}, {16, 3}, {16, 4096},
        {28, 0}, {28, 2}, {28, 64}, {28, 0xffffffff}, {84, 0x31545844 /* "DXT1" */}, {84, 0}, {84, 0xffffffff},
    };
    std::vector<std::string> files;
    for (const Damage& damage : damages)
    {
        std::string file = good;
        std::memcpy(file.data() + damage.offset, &damage.value, sizeof damage.value);
        files.push_back(file);
    }
    // Every cut of the file, inside the header and inside each level.
    for (std::size_t size = 0; size < good.size(); size += 7)
        files.push_back(good.substr(0, size));

    for (std::size_t n = 0; n < files.size(); ++n)
    {
        SCOPED_TRACE(n);
        const DDSImage image = ParseDDS(files[n]);
        EXPECT_EQ(image.error.empty(), !image.levels.empty());
        if (image.levels.empty())
            continue;
        std::size_t end = DDSImage::kHeaderSize;
        for (const DDSLevel& level : image.levels)
        {
            EXPECT_EQ(level.offset, end);
            EXPECT_EQ(level.size, DDSLevelSize(level.width, level.height, image.blockSize));
            EXPECT_GE(level.width, 1u);
            EXPECT_GE(level.height, 1u);
            end = level.offset + level.size;
        }
        EXPECT_LE(end, files[n].size());
    }
}

TEST(SkyboxFaces, PlainNamesGiveTheSixFacesAndAnythingElseIsBlack)
{
    const std::vector<std::string> faces = SkyboxFacePaths("T/", "MainSky");
    EXPECT_EQ(faces, (std::vector<std::string>{"T/Skyboxes/MainSky/right.dds", "T/Skyboxes/MainSky/left.dds",
                                               "T/Skyboxes/MainSky/top.dds", "T/Skyboxes/MainSky/bottom.dds",
                                               "T/Skyboxes/MainSky/front.dds", "T/Skyboxes/MainSky/back.dds"}));
    const std::vector<std::string> black(6, "T/black.dds");
    for (const char* name : {"", "black"})
        EXPECT_EQ(SkyboxFacePaths("T/", name), black) << name;
    for (const char* name : {"../../etc", "Main/Sky", "Main\\Sky", "..", "a..b"})
    {
        testing::internal::CaptureStdout();
        EXPECT_EQ(SkyboxFacePaths("T/", name), black) << name;
        EXPECT_NE(testing::internal::GetCapturedStdout().find("is not a folder name"), std::string::npos) << name;
    }
}

namespace
{
const std::string kTextures = NEKTARU_ASSETS_DIR "/Textures/";
const std::string kUnopened = " could not be opened. Are you in the right directory ? Don't forget to read the FAQ !\n";

GLint LevelParameter(GLenum target, GLint level, GLenum parameter)
{
    GLint value = 0;
    glGetTexLevelParameteriv(target, level, parameter, &value);
    return value;
}

// Draws the texture over the whole view with the UI program and reads back the middle pixel.
std::array<unsigned char, 4> SampledColour(const Texture& texture)
{
    const Shader sprite((NEKTARU_SOURCE_DIR "/Bin/Assets/Shaders/spriteShader.vs"),
                        (NEKTARU_SOURCE_DIR "/Bin/Assets/Shaders/spriteShader.fs"));
    const float quad[] = {-1, -1, 0, 0, 1, -1, 1, 0, -1, 1, 0, 1, 1, 1, 1, 1};
    GLuint vao = 0, vbo = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &vbo);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);

    sprite.Use();
    sprite.SetMat4("projection", Matrix4());
    sprite.SetMat4("model", Matrix4());
    sprite.SetVec4("matDiffuse", {1.0f, 1.0f, 1.0f, 1.0f});
    sprite.SetInt("hasDiffMap", 1);
    sprite.SetInt("diffuseTex", 0);
    sprite.SetFloat("gamma", 1.0f);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    std::array<unsigned char, 4> pixel{};
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    glDeleteBuffers(1, &vbo);
    glDeleteVertexArrays(1, &vao);
    return pixel;
}
}

using TextureTest = GLContextTest;

TEST_F(TextureTest, LoadDDSUploadsEveryLevelAndSamplesItsColour)
{
    TempFolder folder;
    folder.Write("green.dds", SolidDDS("DXT1", 64, 64, 7, 256 + 64 + 16 + 4 + 3, 0x07e0));
    const Texture texture = LoadDDS(folder.Folder() + "green.dds");
    EXPECT_EQ(texture.name, "green.dds");
    ASSERT_NE(texture.id, 0u);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_COMPRESSED_RGBA_S3TC_DXT1_EXT);
    const GLint sizes[] = {2048, 512, 128, 32, 8, 8, 8};
    for (GLint level = 0; level < 7; ++level)
        EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, level, GL_TEXTURE_COMPRESSED_IMAGE_SIZE), sizes[level]) << level;
    glBindTexture(GL_TEXTURE_2D, 0);

    const std::array<unsigned char, 4> pixel = SampledColour(texture);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(pixel[2], 0);
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));

    // The same file again is a texture of its own.
    EXPECT_NE(LoadDDS(folder.Folder() + "green.dds").id, texture.id);
}

TEST_F(TextureTest, GeneratedTexturesLoadWithTheirFormats)
{
    const Texture ui = LoadDDS(kTextures + "UIImage.dds");
    glBindTexture(GL_TEXTURE_2D, ui.id);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_COMPRESSED_RGBA_S3TC_DXT5_EXT);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 128);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 64);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 7, GL_TEXTURE_COMPRESSED_IMAGE_SIZE), 16); // the 1x1 level
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(SampledColour(LoadDDS(kTextures + "normal.dds"))[2], 255);
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, BadFilesAreReportedAndGiveRecordsWithoutTexture)
{
    TempFolder folder;
    folder.Write("cut.dds", SolidDDS("DXT1", 8, 8, 4, 4 + 1, 0));
    folder.Write("raw.dds", DDSHeader("DX10", 4, 4, 1) + std::string(64, '\0'));
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const auto wide = static_cast<std::uint32_t>(largest) * 2;
    folder.Write("wide.dds", SolidDDS("DXT1", wide, 4, 1, wide / 4, 0));
    testing::internal::CaptureStdout();
    const Texture tooWide = LoadDDS(folder.Folder() + "wide.dds");
    const Texture missing = LoadDDS(folder.Folder() + "missing.dds");
    const Texture cut = LoadDDS(folder.Folder() + "cut.dds");
    const Texture raw = LoadDDS(folder.Folder() + "raw.dds");
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(missing.id, 0u);
    EXPECT_EQ(missing.name, "missing.dds");
    EXPECT_EQ(raw.id, 0u);
    EXPECT_EQ(tooWide.id, 0u);
    EXPECT_NE(out.find("wide.dds is larger than the largest texture GL takes (" + std::to_string(largest) + ").\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\tResourceManager: " + folder.Folder() + "missing.dds" + kUnopened), std::string::npos) << out;
    EXPECT_NE(out.find("raw.dds is not a DXT1, DXT3 or DXT5 texture."), std::string::npos) << out;
    EXPECT_NE(out.find("cut.dds is truncated"), std::string::npos) << out;
    // The complete levels of a cut file are there.
    ASSERT_NE(cut.id, 0u);
    glBindTexture(GL_TEXTURE_2D, cut.id);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_COMPRESSED_IMAGE_SIZE), 8);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, CubeMapFacesKeepTheirOrderInSRGBAndAMissingFaceIsSkipped)
{
    const char* names[] = {"right", "left", "top", "bottom", "front", "back"};
    std::vector<std::string> faces;
    for (const char* name : names)
        faces.push_back(kTextures + "Skyboxes/MainSky/" + name + ".dds");
    const unsigned char colours[6][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255},
                                         {255, 255, 0}, {255, 0, 255}, {0, 255, 255}};

    const std::uint32_t cube = LoadCubemapDDS(faces);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    for (GLenum face = 0; face < 6; ++face)
    {
        SCOPED_TRACE(names[face]);
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_COMPRESSED_SRGB_ALPHA_S3TC_DXT1_EXT);
        std::vector<unsigned char> pixels(16 * 16 * 4);
        glGetTexImage(target, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        EXPECT_EQ(pixels[0], colours[face][0]);
        EXPECT_EQ(pixels[1], colours[face][1]);
        EXPECT_EQ(pixels[2], colours[face][2]);
    }

    faces[2] = kTextures + "Skyboxes/MainSky/nowhere.dds";
    testing::internal::CaptureStdout();
    const std::uint32_t holed = LoadCubemapDDS(faces);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), faces[2] + kUnopened);
    glBindTexture(GL_TEXTURE_CUBE_MAP, holed);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_CUBE_MAP_POSITIVE_Y, 0, GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, 0, GL_TEXTURE_WIDTH), 16);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));

    // A face GL cannot take (cube faces are square) is reported and left out like a missing one.
    TempFolder folder;
    folder.Write("wide.dds", SolidDDS("DXT1", 16, 8, 1, 8, 0xf800));
    faces[2] = folder.Folder() + "wide.dds";
    testing::internal::CaptureStdout();
    const std::uint32_t wide = LoadCubemapDDS(faces);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), faces[2] + " is not square, as a cube-map face must be.\n");
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));
    glBindTexture(GL_TEXTURE_CUBE_MAP, wide);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_CUBE_MAP_POSITIVE_Y, 0, GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, 0, GL_TEXTURE_WIDTH), 16);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}
