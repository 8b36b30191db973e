// One rendered frame of 1,000 textured cubes under 8 point lights in a 320 x 200 window: the engine's frame
// (PrepareFrame and DrawFrame, then glFinish) against a bare loop that draws the same meshes with the same
// program, uniforms located once, and nothing else (the limit).
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_light.h"
#include "c_transform.h"
#include "ddsfile.h"
#include "gameobject.h"
#include "graphics.h"
#include "model.h"
#include "objecthooks.h"
#include "platform/window.h"
#include "resourcemanager.h"
#include "tempfolder.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

namespace
{
constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr int kSide = 10; // cubes along each axis
constexpr int kLights = 8;

// A unit cube with normals and texture coordinates, wound outward.
std::unique_ptr<Model> CubeModel()
{
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
    for (int axis = 0; axis < 3; ++axis)
        for (float sign : {-1.0f, 1.0f})
        {
            const int u = (axis + 1) % 3, v = (axis + 2) % 3;
            const auto base = static_cast<std::uint32_t>(vertices.size());
            const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            for (const auto& corner : corners)
            {
                float p[3] = {}, n[3] = {};
                p[axis] = 0.5f * sign;
                p[u] = 0.5f * corner[0];
                p[v] = 0.5f * corner[1] * sign;
                n[axis] = sign;
                Vertex vertex;
                vertex.position = {p[0], p[1], p[2]};
                vertex.normal = {n[0], n[1], n[2]};
                vertex.uv = {(corner[0] + 1) / 2, (corner[1] + 1) / 2};
                vertices.push_back(vertex);
            }
            for (std::uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u})
                indices.push_back(base + i);
        }
    auto model = std::make_unique<Model>("Cube");
    model->meshes.emplace_back(std::move(vertices), std::move(indices), std::vector<VertexBoneData>{},
                               std::vector<Texture>{});
    model->meshes.back().SetupBuffers();
    return model;
}

class FrameWorld
{
public:
    FrameWorld() : window_("Nektaru frame benchmark", kWidth, kHeight)
    {
        namespace fs = std::filesystem;
        fs::create_directories(assets_.Path() / "Assets/Shaders");
        fs::copy(std::string(NEKTARU_SOURCE_DIR) + "/Bin/Assets/Shaders", assets_.Path() / "Assets/Shaders");
        assets_.Write("Assets/Textures/Crate.dds", SolidDDS("DXT1", 64, 64, 1, 256, 0xC618));
        auto resources = std::make_unique<ResourceManager>(assets_.Folder());
        std::ostringstream quiet;
        std::streambuf* out = std::cout.rdbuf(quiet.rdbuf());
        resources->LoadAllResources();
        Material crate;
        crate.name = "Crate";
        crate.diffuseMap = "Crate.dds";
        crate.hasDiffuseMap = true;
        resources->materials["Crate"] = crate;
        resources->models["Cube"] = CubeModel();
        graphics_ = std::make_unique<Graphics>(&window_, kWidth, kHeight);
        graphics_->SetResourceManager(std::move(resources));
        graphics_->Init();
        std::cout.rdbuf(out);
        BuildScene();
    }

    void EngineFrame()
    {
        graphics_->PrepareFrame();
        graphics_->DrawFrame(graphics_->WindowTarget());
        glFinish();
    }

    // The same draws with the same program: frame uniforms and lights once, then per cube its model matrix,
    // its material and one draw.
    void BareFrame()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, kWidth, kHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const Shader& forward = graphics_->GetResourceManager()->shaders.at("Forward");
        const GLuint program = forward.program;
        glUseProgram(program);
        auto at = [&](const char* name) { return glGetUniformLocation(program, name); };
        glUniformMatrix4fv(at("view"), 1, GL_FALSE, graphics_->GetGameView().m);
        glUniformMatrix4fv(at("proj"), 1, GL_FALSE, graphics_->GetGameProjection().m);
        glUniform1i(at("NUM_OF_DIRECTIONAL_LIGHTS"), 0);
        glUniform1i(at("NUM_OF_POINT_LIGHTS"), kLights);
        glUniform1i(at("mat.renderMode"), 0);
        glUniform1i(at("hasAnim"), 0);
        const GLint model = at("model"), diffuse = at("mat.matDiffuse"), specular = at("mat.matSpecular"),
                    shininess = at("mat.shininess"), repeat = at("mat.repeat"), hasDiffuse = at("mat.hasDiffMap"),
                    hasSpecular = at("mat.hasSpecMap"), hasNormal = at("mat.hasNormalMap"),
                    hasHeight = at("mat.hasHeightMap"), sampler = at("mat.diffuseTex");
        const Material& crate = graphics_->GetResourceManager()->materials.at("Crate");
        const GLuint texture = graphics_->GetResourceManager()->textures.at("Crate.dds").id;
        const Mesh& mesh = graphics_->GetResourceManager()->models.at("Cube")->meshes.front();
        for (const Matrix4& matrix : matrices_)
        {
            glUniformMatrix4fv(model, 1, GL_FALSE, matrix.m);
            glUniform4f(diffuse, crate.diffuse.x, crate.diffuse.y, crate.diffuse.z, crate.diffuse.w);
            glUniform4f(specular, crate.specular.x, crate.specular.y, crate.specular.z, crate.specular.w);
            glUniform1f(shininess, crate.shininess);
            glUniform2f(repeat, crate.tiling.x, crate.tiling.y);
            glUniform1i(hasDiffuse, 1);
            glUniform1i(hasSpecular, 0);
            glUniform1i(hasNormal, 0);
            glUniform1i(hasHeight, 0);
            glActiveTexture(GL_TEXTURE0);
            glUniform1i(sampler, 0);
            glBindTexture(GL_TEXTURE_2D, texture);
            glBindVertexArray(mesh.vao);
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
        }
        glBindVertexArray(0);
        glFinish();
    }

private:
    GameObject& Make(const std::string& name)
    {
        objects_.push_back(std::make_unique<GameObject>(name, objects_.size() + 1));
        objects_.back()->EnsureTransform();
        return *objects_.back();
    }

    void BuildScene()
    {
        GameObject& camera = Make("Camera");
        camera.AddComponent("Camera");
        camera.GetTransform()->SetPosition({0, 4, -18});
        camera.GetTransform()->LookAt({0, 0, 0});
        graphics_->RegisterObject(&camera);
        for (int n = 0; n < kSide * kSide * kSide; ++n)
        {
            GameObject& cube = Make("Cube");
            cube.AddComponent("MeshFilter");
            cube.GetMeshFilter()->SetMeshName("Cube");
            cube.AddComponent("MeshRenderer");
            cube.GetComponent<MeshRenderer>()->AddMaterial("Crate");
            const Vector3 position(1.5f * (n % kSide) - 6.75f, 1.5f * (n / kSide % kSide) - 6.75f,
                                   1.5f * (n / (kSide * kSide)) - 6.75f);
            cube.GetTransform()->SetPosition(position);
            matrices_.push_back(cube.GetTransform()->GetModelMatrix());
            graphics_->RegisterObject(&cube);
        }
        for (int n = 0; n < kLights; ++n)
        {
            GameObject& light = Make("Light");
            light.AddComponent("PointLight");
            light.GetLight()->SetRange(12.0f);
            light.GetTransform()->SetPosition({8.0f * (n % 4) - 12.0f, n < 4 ? 8.0f : -8.0f, -10.0f});
            graphics_->RegisterObject(&light);
        }
        // Camera matrices, and the light uniforms the bare loop relies on.
        EngineFrame();
    }

    platform::Window window_;
    TempFolder assets_;
    std::unique_ptr<Graphics> graphics_;
    std::vector<std::unique_ptr<GameObject>> objects_;
    std::vector<Matrix4> matrices_;
};

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_Frame_vs_bare_loop(benchmark::State& state)
{
    if (!std::getenv("DISPLAY"))
    {
        state.SkipWithError("needs an X display (run it under xvfb-run)");
        return;
    }
    FrameWorld world;
    double engine = 0.0, bare = 0.0;
    for (auto _ : state)
    {
        engine += Seconds([&] { world.EngineFrame(); });
        bare += Seconds([&] { world.BareFrame(); });
    }
    const auto frames = static_cast<double>(state.iterations());
    state.counters["engine_ms"] = engine / frames * 1000.0;
    state.counters["bare_ms"] = bare / frames * 1000.0;
    state.counters["ratio"] = engine / bare;
}
BENCHMARK(BM_Frame_vs_bare_loop)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);
}
