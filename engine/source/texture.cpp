#include "texture.h"

#include "console.h"
#include "helpers.h"
#include "platform/files.h"

#include <GL/glew.h>
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace
{
constexpr std::size_t kHeightOffset = 12;   // file offsets: 4 bytes of magic, then the header's fields
constexpr std::size_t kWidthOffset = 16;
constexpr std::size_t kMipCountOffset = 28;
constexpr std::size_t kFourCCOffset = 84;
// Far above any GL's largest texture, and small enough that a level's byte count cannot overflow.
constexpr std::uint32_t kMaxSide = 1u << 16;

std::uint32_t ReadU32(std::string_view file, std::size_t offset)
{
    std::uint32_t value = 0;
    std::memcpy(&value, file.data() + offset, sizeof value);
    return value;
}

std::optional<DDSFormat> FormatOf(std::string_view fourCC)
{
    if (fourCC == "DXT1")
        return DDSFormat::DXT1;
    if (fourCC == "DXT3")
        return DDSFormat::DXT3;
    if (fourCC == "DXT5")
        return DDSFormat::DXT5;
    return std::nullopt;
}

// Levels after the 1x1 one would be refused by GL.
std::uint32_t FullChainLength(std::uint32_t width, std::uint32_t height)
{
    std::uint32_t levels = 1;
    for (std::uint32_t side = std::max(width, height); side > 1; side /= 2)
        ++levels;
    return levels;
}

void AddLevels(DDSImage& image, std::uint32_t mipCount, std::size_t fileSize)
{
    const std::uint32_t wanted = std::min(std::max(mipCount, 1u), FullChainLength(image.width, image.height));
    std::size_t offset = DDSImage::kHeaderSize;
    std::uint32_t width = image.width;
    std::uint32_t height = image.height;
    for (std::uint32_t level = 0; level < wanted; ++level)
    {
        const std::size_t size = DDSLevelSize(width, height, image.blockSize);
        if (size > fileSize - offset)
        {
            image.truncated = true;
            return;
        }
        image.levels.push_back({width, height, offset, size});
        offset += size;
        width = std::max(width / 2, 1u);
        height = std::max(height / 2, 1u);
    }
}

GLenum LinearFormat(DDSFormat format)
{
    constexpr std::array<GLenum, 3> formats = {GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT,
                                               GL_COMPRESSED_RGBA_S3TC_DXT5_EXT};
    return formats[static_cast<std::size_t>(format)];
}

GLenum SRGBFormat(DDSFormat format)
{
    constexpr std::array<GLenum, 3> formats = {GL_COMPRESSED_SRGB_ALPHA_S3TC_DXT1_EXT,
                                               GL_COMPRESSED_SRGB_ALPHA_S3TC_DXT3_EXT,
                                               GL_COMPRESSED_SRGB_ALPHA_S3TC_DXT5_EXT};
    return formats[static_cast<std::size_t>(format)];
}

// The 2D loader speaks as the resource manager; the cube map's lines carry no prefix.
constexpr const char* kTexturePrefix = "\tResourceManager: ";
constexpr const char* kFacePrefix = "";

void ReportTexture(const char* prefix, const std::string& path, const std::string& problem)
{
    PrintColoredLine(ConsoleColor::Red, prefix + path + " " + problem);
}

// The file and its parsed image; nullopt, after a report, when nothing of it can be uploaded.
struct DDSFile
{
    // Valid until the next file is read on this thread.
    std::string_view bytes;
    DDSImage image;
};

// `bytes` is null for a file that could not be read.
std::optional<DDSFile> ParseDDSFile(const std::string& path, const char* prefix, const std::string* bytes)
{
    if (!bytes)
    {
        ReportTexture(prefix, path,
                      "could not be opened. Are you in the right directory ? Don't forget to read the FAQ !");
        return std::nullopt;
    }
    DDSImage image = ParseDDS(*bytes);
    if (!image.error.empty())
    {
        ReportTexture(prefix, path, image.error);
        return std::nullopt;
    }
    if (image.truncated)
        ReportTexture(prefix, path, "is truncated: only its complete levels are used.");
    return DDSFile{*bytes, std::move(image)};
}

std::optional<DDSFile> ReadDDS(const std::string& path, const char* prefix)
{
    // Kept between files: each is needed only until it is uploaded.
    thread_local std::string bytes;
    return ParseDDSFile(path, prefix, platform::ReadFile(path, bytes) ? &bytes : nullptr);
}

// GL refuses these images and leaves an error behind for whoever asks next; they are reported and left out.
bool GLTakes(const std::string& path, const char* prefix, const DDSImage& image, GLenum sizeLimit, bool square)
{
    GLint largest = 0;
    glGetIntegerv(sizeLimit, &largest);
    const auto limit = static_cast<std::uint32_t>(std::max(largest, 0));
    if (image.width > limit || image.height > limit)
        ReportTexture(prefix, path, "is larger than the largest texture GL takes (" + std::to_string(limit) + ").");
    else if (square && image.width != image.height)
        ReportTexture(prefix, path, "is not square, as a cube-map face must be.");
    else
        return true;
    return false;
}

void UploadLevel(GLenum target, const DDSFile& file, std::size_t level, GLenum format, bool immutable)
{
    const DDSLevel& data = file.image.levels[level];
    const auto width = static_cast<GLsizei>(data.width);
    const auto height = static_cast<GLsizei>(data.height);
    const auto size = static_cast<GLsizei>(data.size);
    const char* bytes = file.bytes.data() + data.offset;
    if (immutable)
        glCompressedTexSubImage2D(target, static_cast<GLint>(level), 0, 0, width, height, format, size, bytes);
    else
        glCompressedTexImage2D(target, static_cast<GLint>(level), format, width, height, 0, size, bytes);
}

// Immutable storage, where the driver has it, is allocated once for the whole chain.
void UploadChain(const DDSFile& file, GLenum format)
{
    const std::size_t levels = file.image.levels.size();
    const bool immutable = GLEW_ARB_texture_storage;
    if (immutable)
        glTexStorage2D(GL_TEXTURE_2D, static_cast<GLsizei>(levels), format, static_cast<GLsizei>(file.image.width),
                       static_cast<GLsizei>(file.image.height));
    for (std::size_t level = 0; level < levels; ++level)
        UploadLevel(GL_TEXTURE_2D, file, level, format, immutable);
}

void SetSampling(GLenum target, bool hasDepth)
{
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    if (hasDepth)
        glTexParameteri(target, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
}

Texture MakeTexture(const std::string& path, const std::optional<DDSFile>& file)
{
    Texture texture;
    texture.name = GetFileName(path);
    if (!file || !GLTakes(path, kTexturePrefix, file->image, GL_MAX_TEXTURE_SIZE, false))
        return texture;
    glGenTextures(1, &texture.id);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    UploadChain(*file, LinearFormat(file->image.format));
    SetSampling(GL_TEXTURE_2D, false);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}
}

std::size_t DDSLevelSize(std::uint32_t width, std::uint32_t height, std::uint32_t blockSize)
{
    return ((std::size_t{width} + 3) / 4) * ((std::size_t{height} + 3) / 4) * blockSize;
}

DDSImage ParseDDS(std::string_view file)
{
    DDSImage image;
    if (file.size() < 4 || file.substr(0, 4) != "DDS ")
    {
        image.error = "is not a DDS file.";
        return image;
    }
    if (file.size() < DDSImage::kHeaderSize)
    {
        image.error = "is truncated inside its header.";
        return image;
    }
    const std::optional<DDSFormat> format = FormatOf(file.substr(kFourCCOffset, 4));
    if (!format)
    {
        image.error = "is not a DXT1, DXT3 or DXT5 texture.";
        return image;
    }
    image.format = *format;
    image.blockSize = image.format == DDSFormat::DXT1 ? 8 : 16;
    image.height = ReadU32(file, kHeightOffset);
    image.width = ReadU32(file, kWidthOffset);
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide)
    {
        image.error = "has a size no texture can have.";
        return image;
    }
    AddLevels(image, ReadU32(file, kMipCountOffset), file.size());
    if (image.levels.empty())
        image.error = "is truncated: not even its top level is complete.";
    return image;
}

Texture LoadDDS(const std::string& path)
{
    return MakeTexture(path, ReadDDS(path, kTexturePrefix));
}

Texture LoadDDS(const std::string& path, const std::optional<std::string>& bytes)
{
    return MakeTexture(path, ParseDDSFile(path, kTexturePrefix, bytes ? &*bytes : nullptr));
}

std::uint32_t LoadCubemapDDS(const std::vector<std::string>& faces)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_CUBE_MAP, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (std::size_t face = 0; face < std::min<std::size_t>(faces.size(), 6); ++face)
    {
        const std::optional<DDSFile> file = ReadDDS(faces[face], kFacePrefix);
        if (file && GLTakes(faces[face], kFacePrefix, file->image, GL_MAX_CUBE_MAP_TEXTURE_SIZE, true))
            UploadLevel(GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(face), *file, 0,
                        SRGBFormat(file->image.format), false);
    }
    SetSampling(GL_TEXTURE_CUBE_MAP, true);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    return id;
}

std::vector<std::string> SkyboxFacePaths(const std::string& texturesFolder, const std::string& name)
{
    const bool plain = name.find_first_of("/\\") == std::string::npos && name.find("..") == std::string::npos;
    if (!plain)
        PrintColoredLine(ConsoleColor::Red, "\tResourceManager: skybox \"" + name + "\" is not a folder name");
    if (!plain || name.empty() || name == "black")
        return std::vector<std::string>(6, texturesFolder + "black.dds");
    std::vector<std::string> faces;
    for (const char* face : {"right", "left", "top", "bottom", "front", "back"})
        faces.push_back(texturesFolder + "Skyboxes/" + name + "/" + face + ".dds");
    return faces;
}
