#pragma once
// DDS files made in memory: the 128-byte header the loaders read, then blocks of one solid colour.
#include <cstdint>
#include <cstring>
#include <string>

// A DXT1 block of one RGB565 colour (colour 0 and 1 equal, every index 0).
inline std::string SolidDXT1Block(std::uint16_t rgb565)
{
    std::string block(8, '\0');
    std::memcpy(block.data(), &rgb565, 2);
    std::memcpy(block.data() + 2, &rgb565, 2);
    return block;
}

// A DXT3/DXT5 block: opaque alpha, then the colour block.
inline std::string SolidDXT5Block(std::uint16_t rgb565)
{
    // DXT5 alpha: both end points 255, every index 0. DXT3: every explicit alpha 15. Both read as opaque.
    return std::string(8, '\xff') + SolidDXT1Block(rgb565);
}

// The header for fourCC with width, height and mip count; data bytes follow it.
inline std::string DDSHeader(const char* fourCC, std::uint32_t width, std::uint32_t height, std::uint32_t mipCount)
{
    std::string header(128, '\0');
    std::memcpy(header.data(), "DDS ", 4);
    const std::uint32_t headerSize = 124;
    std::memcpy(header.data() + 4, &headerSize, 4);
    std::memcpy(header.data() + 12, &height, 4);
    std::memcpy(header.data() + 16, &width, 4);
    std::memcpy(header.data() + 28, &mipCount, 4);
    std::memcpy(header.data() + 84, fourCC, 4);
    return header;
}

// A file whose levels are all made of one block, repeated blockCount times in total.
inline std::string SolidDDS(const char* fourCC, std::uint32_t width, std::uint32_t height, std::uint32_t mipCount,
                            std::size_t blockCount, std::uint16_t rgb565)
{
    const std::string block = std::string(fourCC) == "DXT1" ? SolidDXT1Block(rgb565) : SolidDXT5Block(rgb565);
    std::string file = DDSHeader(fourCC, width, height, mipCount);
    for (std::size_t i = 0; i < blockCount; ++i)
        file += block;
    return file;
}
