#include "texture.h"
#include "ddsfile.h"

#include <gtest/gtest.h>

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
