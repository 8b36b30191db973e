#include "particlepass.h"
#include "c_particlesystem.h"
#include "glcontext.h"
#include "matrix4.h"
#include "objectworld.h"
#include "shader.h"
#include "transforminterface.h"

#include <array>
#include <string>

namespace
{
const std::string kShaderFolder = NEKTARU_SOURCE_DIR "/Bin/Assets/Shaders/";

// One particle at the origin, red, fading from opaque at birth to clear at death, drawn through an
// identity view and projection into the test window, over black.
class ParticlePassTest : public GLContextTest
{
protected:
    void SetUp() override
    {
        GLContextTest::SetUp();
        if (IsSkipped())
            return;
        testing::internal::CaptureStdout();
        program = Shader((kShaderFolder + "particleShader.vs").c_str(), (kShaderFolder + "particleShader.fs").c_str());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        pass.Create();
        const std::array<GLubyte, 16> white{255, 255, 255, 255, 255, 255, 255, 255,
                                            255, 255, 255, 255, 255, 255, 255, 255};
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);

        object.EnsureTransform();
        ParticleSettings& settings = system.settings;
        settings.shapeRadius = 0.0f;
        settings.startSpeed = 0.0f;
        settings.startLifetime = 1.0f;
        settings.colourOverLifetime = true;
        settings.colourMax = {255.0f, 0.0f, 0.0f, 255.0f};
        settings.colourMin = {255.0f, 0.0f, 0.0f, 0.0f};
        system.SpawnParticle();
    }
    void TearDown() override
    {
        if (!texture)
            return;
        glDeleteTextures(1, &texture);
        pass.Destroy();
    }

    // The red channel at the window's centre after a frame of the pass.
    int RedAtCentre()
    {
        glViewport(0, 0, 64, 64);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        ObjectSet systems;
        systems.Add(&object);
        pass.Draw(program, Matrix4(), Matrix4(), true, systems, [&](const std::string& name) {
            EXPECT_EQ(name, "normal.dds");
            return texture;
        });
        std::array<GLubyte, 4> pixel{};
        glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
        EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));
        return pixel[0];
    }

    ObjectWorld world;
    GameObject& object = world.Live("Sparks", 1);
    ParticleSystem& system = *static_cast<ParticleSystem*>(object.AddComponent("ParticleSystem"));
    Shader program;
    ParticlePass pass;
    GLuint texture = 0;
};
} // namespace

TEST_F(ParticlePassTest, APlayingSystemDrawsItsParticlesFadingOverTheirLifetime)
{
    system.SimulateParticles(0.01f, nullptr);
    EXPECT_NEAR(RedAtCentre(), 252, 3);
    system.SimulateParticles(0.49f, nullptr);
    EXPECT_NEAR(RedAtCentre(), 128, 3);
    system.SimulateParticles(0.3f, nullptr);
    EXPECT_NEAR(RedAtCentre(), 51, 3);
}

TEST_F(ParticlePassTest, AStoppedSystemDrawsNothing)
{
    system.SimulateParticles(0.01f, nullptr);
    system.Pause();
    EXPECT_GT(RedAtCentre(), 200); // paused particles still show
    system.Stop();
    system.SpawnParticle();
    system.SimulateParticles(0.01f, nullptr);
    EXPECT_EQ(RedAtCentre(), 0);
}

TEST_F(ParticlePassTest, TheRenderModesSpanTheQuadAlongTheirAxes)
{
    // The view looks along z: a quad that lies in the x-z plane is edge-on and covers nothing.
    const struct
    {
        int mode;
        Vector3 objectRotation;
        bool seen;
    } cases[] = {
        {0, {0.0f, 90.0f, 0.0f}, true},  // faces the camera whatever the object's turn
        {1, {0.0f, 0.0f, 0.0f}, false}, // lies flat
        {2, {0.0f, 0.0f, 0.0f}, true},  // along the object's own up and right
        {2, {0.0f, 90.0f, 0.0f}, false},
    };
    system.SimulateParticles(0.01f, nullptr);
    for (const auto& c : cases)
    {
        system.settings.renderMode = c.mode;
        object.GetTransform()->SetRotation(c.objectRotation);
        EXPECT_EQ(RedAtCentre() > 200, c.seen) << "mode " << c.mode << ", turned " << c.objectRotation.y;
    }
}
