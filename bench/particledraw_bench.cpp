// The particle pass drawing 10,000 live particles into a 1280 x 800 window: uploading the two streams and
// one instanced draw, finished (glFinish) every frame. Needs a display; under Xvfb it measures llvmpipe.
#include "c_particlesystem.h"
#include "gameobject.h"
#include "matrix4.h"
#include "particlepass.h"
#include "platform/window.h"
#include "shader.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>
#include <array>
#include <string>

namespace
{
constexpr int kLive = 10000;
const std::string kShaders = NEKTARU_SOURCE_DIR "/Bin/Assets/Shaders/";

void BM_DrawParticles(benchmark::State& state)
{
    platform::Window window("Particle draw", 1280, 800);
    if (!window.IsOpen())
    {
        state.SkipWithError("no GL window (run under a display)");
        return;
    }
    const Shader program((kShaders + "particleShader.vs").c_str(), (kShaders + "particleShader.fs").c_str());
    ParticlePass pass;
    pass.Create();
    const std::array<GLubyte, 4> white{255, 255, 255, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());

    GameObject object("Sparks", 1);
    auto& system = *static_cast<ParticleSystem*>(object.AddComponent("ParticleSystem"));
    system.SetMaxParticles(kLive);
    system.SeedRandom(1);
    system.settings.startLifetime = 1.0e6f;
    system.settings.startSize = 0.05f;
    system.settings.colourOverLifetime = true;
    system.settings.colourMax = {255.0f, 200.0f, 80.0f, 255.0f};
    system.settings.shapeType = static_cast<int>(EmitterShape::Sphere);
    for (int n = 0; n < kLive; ++n)
        system.SpawnParticle();
    system.SimulateParticles(0.1f, nullptr);

    glViewport(0, 0, 1280, 800);
    Matrix4 projection;
    projection.m[0] = 0.05f; // the sphere of particles fills the middle of the window
    projection.m[5] = 0.08f;
    ObjectSet systems;
    systems.Add(&object);
    for (auto _ : state)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        pass.Draw(program, Matrix4(), projection, true, systems, [&](const std::string&) { return texture; });
        glFinish();
    }
    glDeleteTextures(1, &texture);
    pass.Destroy();
}
BENCHMARK(BM_DrawParticles)->Unit(benchmark::kMillisecond);
} // namespace
