#include "mesh.h"
#include "glcontext.h"
#include "matrix4.h"
#include "shader.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
GLint BufferSize(GLuint buffer)
{
    GLint size = 0;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return size;
}

// Two triangles over the whole view.
Mesh ScreenQuad(std::vector<VertexBoneData> boneData = {})
{
    std::vector<Vertex> vertices(4);
    vertices[0].position = {-1, -1, 0};
    vertices[1].position = {1, -1, 0};
    vertices[2].position = {1, 1, 0};
    vertices[3].position = {-1, 1, 0};
    return Mesh(vertices, {0, 1, 2, 0, 2, 3}, std::move(boneData), {});
}

std::array<unsigned char, 4> MiddlePixel()
{
    std::array<unsigned char, 4> pixel{};
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}
}

TEST(Mesh, DefaultIsTheUnitLineAndMovingHandsOverTheData)
{
    Mesh line;
    ASSERT_EQ(line.vertices.size(), 2u);
    EXPECT_EQ(line.vertices[0].position, Vector3(0, 0, 0));
    EXPECT_EQ(line.vertices[1].position, Vector3(1, 0, 0));
    EXPECT_EQ(line.vertices[1].normal, Vector3(0, 0, 0));
    EXPECT_EQ(line.indices, (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(line.vertexCount, 2u);
    EXPECT_EQ(line.indexCount, 2u);
    EXPECT_EQ(line.boneDataCount, 0u);
    EXPECT_EQ(line.vao, 0u);

    Mesh moved(std::move(line));
    EXPECT_EQ(moved.vertexCount, 2u);
    Mesh quad = ScreenQuad();
    quad = std::move(moved);
    EXPECT_EQ(quad.indexCount, 2u);
}

TEST(Mesh, AMeshWithoutBonesGetsAFreeSlotSetPerVertex)
{
    const Mesh quad = ScreenQuad();
    ASSERT_EQ(quad.boneDataCount, 4u);
    for (const VertexBoneData& slots : quad.boneData)
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(slots.ids[i] == 0 && slots.weights[i] == 0.0f);
}

using MeshTest = GLContextTest;

TEST_F(MeshTest, SetupBuffersUploadsTheThreeStreamsIntoOneVertexArray)
{
    Mesh quad = ScreenQuad();
    quad.SetupBuffers();
    ASSERT_NE(quad.vao, 0u);
    EXPECT_EQ(BufferSize(quad.vbo), 4 * 56);
    EXPECT_EQ(BufferSize(quad.boneVbo), 4 * 32);
    glBindVertexArray(quad.vao);
    GLint element = 0, integer = 0, stride = 0, offset = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &element);
    EXPECT_EQ(static_cast<GLuint>(element), quad.ebo);
    glGetVertexAttribiv(5, GL_VERTEX_ATTRIB_ARRAY_INTEGER, &integer);
    EXPECT_TRUE(integer);
    glGetVertexAttribiv(4, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
    EXPECT_EQ(stride, 56);
    void* pointer = nullptr;
    glGetVertexAttribPointerv(6, GL_VERTEX_ATTRIB_ARRAY_POINTER, &pointer);
    offset = static_cast<GLint>(reinterpret_cast<std::uintptr_t>(pointer));
    EXPECT_EQ(offset, 16);
    glBindVertexArray(0);

    ParticleBuffers particles;
    CreateParticleBuffers(particles);
    EXPECT_EQ(BufferSize(particles.quad), 48);
    EXPECT_EQ(BufferSize(particles.positions), 160000);
    EXPECT_EQ(BufferSize(particles.colours), 40000);
    const GLuint buffers[] = {particles.quad, particles.positions, particles.colours};
    glDeleteBuffers(3, buffers);
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MeshTest, PickingDrawsTheExactColourAndSkinsOnlyWeightedVertices)
{
    const Shader picking(NEKTARU_SOURCE_DIR "/Bin/Assets/Shaders/objectPicking.vs",
                         NEKTARU_SOURCE_DIR "/Bin/Assets/Shaders/objectPicking.fs");
    VertexBoneData onBoneTwo;
    onBoneTwo.ids[0] = 2;
    onBoneTwo.weights[0] = 1.0f;
    Mesh plain = ScreenQuad();
    Mesh skinned = ScreenQuad(std::vector<VertexBoneData>(4, onBoneTwo));
    plain.SetupBuffers();
    skinned.SetupBuffers();

    picking.Use();
    picking.SetMat4("view", Matrix4());
    picking.SetMat4("proj", Matrix4());
    picking.SetMat4("model", Matrix4());
    picking.SetVec4("PickingColor", {0.2f, 0.4f, 0.6f, 1.0f});
    picking.SetInt("hasAnim", 1);
    Matrix4 away; // moves the quad out of view, kept row by row as bones are
    away.m[3] = 10.0f;
    picking.SetMat4("bones[2]", away, true);
    glDisable(GL_DEPTH_TEST);

    const auto draw = [](const Mesh& mesh) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindVertexArray(mesh.vao);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
        glBindVertexArray(0);
        return MiddlePixel();
    };
    EXPECT_EQ(draw(plain), (std::array<unsigned char, 4>{51, 102, 153, 255}));
    EXPECT_EQ(draw(skinned), (std::array<unsigned char, 4>{0, 0, 0, 255}));
    picking.SetInt("hasAnim", 0);
    EXPECT_EQ(draw(skinned), (std::array<unsigned char, 4>{51, 102, 153, 255}));
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));
}
