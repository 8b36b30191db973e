#pragma once
#include "TorvaneMath.h"
#include "texture.h"

#include <cstdint>
#include <vector>

// The GPU vertex format; attribute numbers are the shaders' locations.
struct Vertex
{
    Vector3 position;  // attribute 0
    Vector3 normal;    // 1
    Vector3 tangent;   // 2
    Vector3 bitangent; // 3
    Vector2 uv;        // 4
};
static_assert(sizeof(Vertex) == 56, "the vertex stream is 56 tightly packed bytes");

// Up to four bone influences of one vertex; a slot with weight 0 is free.
struct VertexBoneData
{
    std::int32_t ids[4] = {};  // attribute 5, integer
    float weights[4] = {};     // attribute 6
};
static_assert(sizeof(VertexBoneData) == 32, "the bone stream is 32 tightly packed bytes");

// One drawable piece of a model with its GL objects. Move-only: the destructor frees the GL names, so a copy
// would free them twice.
class Mesh
{
public:
    // The unit line segment from the origin to (1, 0, 0) that line drawing scales and places.
    Mesh();
    // A mesh without bone data gets one free slot set per vertex, so the bone attributes always have data.
    Mesh(std::vector<Vertex> vertices, std::vector<std::uint32_t> indices, std::vector<VertexBoneData> boneData,
         std::vector<Texture> textures);
    ~Mesh();
    Mesh(Mesh&& other) noexcept;
    Mesh& operator=(Mesh&& other) noexcept;
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    // Uploads the three streams once and records them in a vertex array; a second call does nothing.
    void SetupBuffers();

    std::vector<Vertex> vertices;
    // Copies of cached textures with their kind set, diffuse, specular, normal, height.
    std::vector<Texture> textures;
    std::vector<std::uint32_t> indices;
    std::vector<VertexBoneData> boneData;
    std::uint32_t vertexCount = 0;
    std::uint32_t indexCount = 0;
    std::uint32_t boneDataCount = 0;
    std::uint32_t vao = 0;
    std::uint32_t vbo = 0;
    std::uint32_t ebo = 0;
    std::uint32_t boneVbo = 0;

private:
    void ReleaseBuffers();
};

// The buffers of instanced particle drawing: the unit quad, then the two per-particle streams.
struct ParticleBuffers
{
    std::uint32_t quad = 0;
    std::uint32_t positions = 0; // x, y, z, size: 16 bytes a particle
    std::uint32_t colours = 0;   // four normalised bytes a particle
    std::uint32_t capacity = 0;  // particles, kept by the Graphics system
};

// Makes the three buffers; the caller deletes the previous ones first.
void CreateParticleBuffers(ParticleBuffers& buffers);
