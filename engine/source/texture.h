#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

// One texture as materials, meshes and the passes know it. The sampling fields describe the record; the GL
// object keeps its own parameters. Records are copied freely and never delete their GL texture, which ends
// with the context.
struct Texture
{
    // No GL name until a loader gives it one, so code that only handles materials needs no context.
    std::uint32_t id = 0;
    std::uint32_t format = 0x1908;    // GL_RGBA
    std::uint32_t wrapS = 0x2901;     // GL_REPEAT
    std::uint32_t wrapT = 0x2901;
    std::uint32_t minFilter = 0x2601; // GL_LINEAR
    std::uint32_t magFilter = 0x2601;
    // "diffuseTex", "specularTex", "normalTex" or "heightTex" once a material or a mesh uses it.
    std::string kind;
    // The file name with its extension.
    std::string name;
};

enum class DDSFormat
{
    DXT1,
    DXT3,
    DXT5,
};

// Where one mip level's blocks lie in the file.
struct DDSLevel
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
};

// What a DDS file holds, worked out from its header and its length alone. Level sizes come from the
// dimensions, never from the header's size fields, and only levels that lie wholly inside the file are kept.
struct DDSImage
{
    static constexpr std::size_t kHeaderSize = 128; // "DDS " and the 124-byte header
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    DDSFormat format = DDSFormat::DXT1;
    std::uint32_t blockSize = 0;
    std::vector<DDSLevel> levels;
    // Empty when the image can be uploaded; what is wrong otherwise.
    std::string error;
    // Levels the header promised that the file cut short; the complete ones before them are still kept.
    bool truncated = false;
};

// Bytes of one level: 4x4 blocks, a partial block counting whole.
std::size_t DDSLevelSize(std::uint32_t width, std::uint32_t height, std::uint32_t blockSize);
// Parses a whole DDS file. A mip count of 0 means one level; a chain stops after its 1x1 level.
DDSImage ParseDDS(std::string_view file);

// The file as a 2D texture with its mip chain, named after the file name. A file that cannot be read or is
// not a DXT1/3/5 DDS file is reported and gives a record without GL name.
Texture LoadDDS(const std::string& path);
// The same from the file's bytes, read beforehand; nullopt stands for a file that could not be read.
Texture LoadDDS(const std::string& path, const std::optional<std::string>& bytes);
// A cube map from six face files (+x, -x, +y, -y, +z, -z), top levels only, in sRGB formats. A face that
// cannot be used is reported and stays black.
std::uint32_t LoadCubemapDDS(const std::vector<std::string>& faces);

// The six face files of a skybox in cube-map order (+x, -x, +y, -y, +z, -z), under texturesFolder (ending in a
// separator): "Skyboxes/<name>/right.dds" and so on. The empty name, "black", and (reported) a name that is not
// a plain folder name, since it comes from a scene-settings file, give "black.dds" six times.
std::vector<std::string> SkyboxFacePaths(const std::string& texturesFolder, const std::string& name);
