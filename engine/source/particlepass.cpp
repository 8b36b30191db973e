#include "particlepass.h"

#include "c_particlesystem.h"
#include "gameobject.h"
#include "matrix4.h"
#include "shader.h"
#include "transforminterface.h"

#include <GL/glew.h>

namespace
{
constexpr GLsizeiptr kPositionSizeBytes = 4 * sizeof(float);
constexpr GLsizeiptr kColourBytes = 4;

// Re-specifies the buffer at the pool's full size with no data (so the driver need not wait for the last
// frame's draw), then fills the live particles' part.
template <class T>
void Stream(GLuint buffer, GLsizeiptr bytesPerParticle, std::size_t pool, int live, const std::vector<T>& data)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(pool) * bytesPerParticle, nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, live * bytesPerParticle, data.data());
}

void Attribute(GLuint index, GLuint buffer, GLint size, GLenum type, GLboolean normalised, GLuint divisor)
{
    glEnableVertexAttribArray(index);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(index, size, type, normalised, 0, nullptr);
    glVertexAttribDivisor(index, divisor);
}

// Mode 1 lies flat; the others span the object's own up and right axes (mode 0 faces the camera anyway).
void SetAxes(const Shader& program, const ParticleSystem& system, const TransformInterface* transform)
{
    const bool flat = system.settings.renderMode == 1;
    const Vector3 up = flat ? Vector3(1.0f, 0.0f, 0.0f) : transform ? transform->GetUp() : Vector3(0.0f, 1.0f, 0.0f);
    const Vector3 left =
        flat ? Vector3(0.0f, 0.0f, 1.0f) : transform ? transform->GetRight() : Vector3(1.0f, 0.0f, 0.0f);
    program.SetVec3("upVector", up);
    program.SetVec3("leftVector", left);
}
} // namespace

void ParticlePass::Create()
{
    CreateParticleBuffers(buffers_);
    glGenVertexArrays(1, &vertexArray_);
}

void ParticlePass::Destroy()
{
    const GLuint names[] = {buffers_.quad, buffers_.positions, buffers_.colours};
    glDeleteBuffers(3, names);
    glDeleteVertexArrays(1, &vertexArray_);
    buffers_ = {.capacity = buffers_.capacity};
    vertexArray_ = 0;
}

void ParticlePass::Draw(const Shader& program, const Matrix4& view, const Matrix4& projection, bool discardAlpha,
                        const ObjectSet& systems, const TextureLookup& textureOf)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    program.Use();
    // The view's first two rows: the camera's right and up in the world.
    program.SetVec3("CameraRight_worldspace", {view.m[0], view.m[4], view.m[8]});
    program.SetVec3("CameraUp_worldspace", {view.m[1], view.m[5], view.m[9]});
    program.SetMat4("view", view);
    program.SetMat4("proj", projection);
    program.SetInt("discardAlpha", discardAlpha ? 1 : 0);
    program.SetInt("myTextureSampler", 0);
    glBindVertexArray(vertexArray_);
    for (const GameObject* object : systems)
    {
        const auto* system = object->GetComponent<ParticleSystem>();
        if (!system)
            continue;
        program.SetInt("renderMode", system->settings.renderMode);
        SetAxes(program, *system, object->GetTransform());
        if (!system->IsStopped())
            DrawSystem(*system, textureOf(system->settings.textureName));
    }
    glBindVertexArray(0);
    glDisable(GL_BLEND);
}

void ParticlePass::DrawSystem(const ParticleSystem& system, std::uint32_t texture)
{
    const int live = system.GetLiveCount();
    const std::size_t pool = system.GetParticles().size();
    Stream(buffers_.positions, kPositionSizeBytes, pool, live, system.GetPositionSizeStream());
    Stream(buffers_.colours, kColourBytes, pool, live, system.GetColourStream());
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    Attribute(0, buffers_.quad, 3, GL_FLOAT, GL_FALSE, 0);
    Attribute(1, buffers_.positions, 4, GL_FLOAT, GL_FALSE, 1);
    Attribute(2, buffers_.colours, 4, GL_UNSIGNED_BYTE, GL_TRUE, 1);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, live);
    for (GLuint index = 0; index < 3; ++index)
        glDisableVertexAttribArray(index);
}
