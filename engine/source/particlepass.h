#pragma once
#include "mesh.h"
#include "objectset.h"

#include <cstdint>
#include <functional>
#include <string>

class GameObject;
class Matrix4;
class ParticleSystem;
class Shader;

// The draw side of the particles: the quad and the two per-particle stream buffers under a vertex array of
// their own, and the instanced, blended draw of every system's live particles with the particle program.
class ParticlePass
{
public:
    // The GL texture of a texture name; 0 when there is none.
    using TextureLookup = std::function<std::uint32_t(const std::string& name)>;

    // Makes the buffers and the vertex array in the current context; again after Destroy.
    void Create();
    void Destroy();
    // One frame: the pass's uniforms, then for each object's first ParticleSystem its own uniforms and,
    // unless it is stopped, its live particles far to near.
    void Draw(const Shader& program, const Matrix4& view, const Matrix4& projection, bool discardAlpha,
              const ObjectSet& systems, const TextureLookup& textureOf);

    const ParticleBuffers& Buffers() const { return buffers_; }
    void SetCapacity(std::uint32_t particles) { buffers_.capacity = particles; }

private:
    void DrawSystem(const ParticleSystem& system, std::uint32_t texture);

    ParticleBuffers buffers_;
    std::uint32_t vertexArray_ = 0;
};
