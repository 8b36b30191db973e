#include "mesh.h"

#include <GL/glew.h>
#include <cstddef>
#include <utility>

namespace
{
constexpr GLsizeiptr kParticlePositionBytes = 160000;
constexpr GLsizeiptr kParticleColourBytes = 40000;

// The new buffer stays bound.
GLuint MakeBuffer(GLenum target, GLsizeiptr bytes, const void* data, GLenum usage)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, bytes, data, usage);
    return buffer;
}

template <typename T>
GLuint UploadStatic(GLenum target, const std::vector<T>& data)
{
    const GLuint buffer =
        MakeBuffer(target, static_cast<GLsizeiptr>(data.size() * sizeof(T)), data.data(), GL_STATIC_DRAW);
    glBindBuffer(target, 0);
    return buffer;
}

void FloatAttribute(GLuint index, GLint components, GLsizei stride, std::size_t offset)
{
    glEnableVertexAttribArray(index);
    glVertexAttribPointer(index, components, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offset));
}
}

// The line has no bones: its bone stream stays empty.
Mesh::Mesh()
    : vertices{Vertex{}, Vertex{{1.0f, 0.0f, 0.0f}, {}, {}, {}, {}}}, indices{0, 1}, vertexCount(2), indexCount(2)
{
}

Mesh::Mesh(std::vector<Vertex> vertices_, std::vector<std::uint32_t> indices_,
           std::vector<VertexBoneData> boneData_, std::vector<Texture> textures_)
    : vertices(std::move(vertices_)), textures(std::move(textures_)), indices(std::move(indices_)),
      boneData(std::move(boneData_))
{
    if (boneData.empty())
        boneData.resize(vertices.size());
    vertexCount = static_cast<std::uint32_t>(vertices.size());
    indexCount = static_cast<std::uint32_t>(indices.size());
    boneDataCount = static_cast<std::uint32_t>(boneData.size());
}

Mesh::~Mesh()
{
    ReleaseBuffers();
}

Mesh::Mesh(Mesh&& other) noexcept
    : vertices(std::move(other.vertices)), textures(std::move(other.textures)), indices(std::move(other.indices)),
      boneData(std::move(other.boneData)), vertexCount(other.vertexCount), indexCount(other.indexCount),
      boneDataCount(other.boneDataCount), vao(std::exchange(other.vao, 0)), vbo(std::exchange(other.vbo, 0)),
      ebo(std::exchange(other.ebo, 0)), boneVbo(std::exchange(other.boneVbo, 0))
{
}

Mesh& Mesh::operator=(Mesh&& other) noexcept
{
    if (this != &other)
    {
        ReleaseBuffers();
        vertices = std::move(other.vertices);
        textures = std::move(other.textures);
        indices = std::move(other.indices);
        boneData = std::move(other.boneData);
        vertexCount = other.vertexCount;
        indexCount = other.indexCount;
        boneDataCount = other.boneDataCount;
        vao = std::exchange(other.vao, 0);
        vbo = std::exchange(other.vbo, 0);
        ebo = std::exchange(other.ebo, 0);
        boneVbo = std::exchange(other.boneVbo, 0);
    }
    return *this;
}

// Nothing was made before an upload, so a mesh that never reached the GPU needs no context to go away.
void Mesh::ReleaseBuffers()
{
    if (vao == 0)
        return;
    glDeleteVertexArrays(1, &vao);
    const GLuint buffers[] = {vbo, ebo, boneVbo};
    glDeleteBuffers(3, buffers);
    vao = vbo = ebo = boneVbo = 0;
}

void Mesh::SetupBuffers()
{
    if (vao != 0)
        return;
    vbo = UploadStatic(GL_ARRAY_BUFFER, vertices);
    boneVbo = UploadStatic(GL_ARRAY_BUFFER, boneData);
    ebo = UploadStatic(GL_ELEMENT_ARRAY_BUFFER, indices);

    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    constexpr GLsizei stride = sizeof(Vertex);
    FloatAttribute(0, 3, stride, offsetof(Vertex, position));
    FloatAttribute(1, 3, stride, offsetof(Vertex, normal));
    FloatAttribute(2, 3, stride, offsetof(Vertex, tangent));
    FloatAttribute(3, 3, stride, offsetof(Vertex, bitangent));
    FloatAttribute(4, 2, stride, offsetof(Vertex, uv));

    glBindBuffer(GL_ARRAY_BUFFER, boneVbo);
    glEnableVertexAttribArray(5);
    glVertexAttribIPointer(5, 4, GL_INT, sizeof(VertexBoneData),
                           reinterpret_cast<const void*>(offsetof(VertexBoneData, ids)));
    FloatAttribute(6, 4, sizeof(VertexBoneData), offsetof(VertexBoneData, weights));
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    // Bound while the array is, so the array keeps it.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo);
    glBindVertexArray(0);
}

void CreateParticleBuffers(ParticleBuffers& buffers)
{
    // A triangle strip.
    constexpr float quad[] = {-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f, -0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f};
    buffers.quad = MakeBuffer(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
    buffers.positions = MakeBuffer(GL_ARRAY_BUFFER, kParticlePositionBytes, nullptr, GL_STREAM_DRAW);
    buffers.colours = MakeBuffer(GL_ARRAY_BUFFER, kParticleColourBytes, nullptr, GL_STREAM_DRAW);
}
