#include "shader.h"
#include "glcontext.h"
#include "matrix4.h"
#include "tempfolder.h"

#include <gmock/gmock.h>

#include <map>

using ::testing::HasSubstr;

namespace
{
const std::string kShaderFolder = NEKTARU_SOURCE_DIR "/Bin/Assets/Shaders/";

Shader Build(const std::string& stem, std::string* out = nullptr)
{
    testing::internal::CaptureStdout();
    Shader shader((kShaderFolder + stem + ".vs").c_str(), (kShaderFolder + stem + ".fs").c_str());
    const std::string printed = testing::internal::GetCapturedStdout();
    if (out)
        *out = printed;
    return shader;
}

// What the passes set in each program, by name; every one must be an active uniform.
const std::map<std::string, std::vector<std::string>> kContract = {
    {"forward",
     {"view", "proj", "model", "lightProj", "lightView", "hasAnim", "bones[0]", "bones[99]", "gamma", "exposure",
      "worldAmbient", "camPos", "hdr", "renderParticles", "shadowMap", "NUM_OF_DIRECTIONAL_LIGHTS",
      "NUM_OF_POINT_LIGHTS", "dirLights[0].direction", "dirLights[0].ambient", "dirLights[0].diffuse",
      "dirLights[0].specular", "dirLights[3].intensity", "ptLights[0].position", "ptLights[0].ambient",
      "ptLights[0].diffuse", "ptLights[0].specular", "ptLights[0].intensity", "ptLights[31].range",
      "mat.renderMode", "mat.matDiffuse", "mat.matSpecular", "mat.shininess", "mat.repeat", "mat.hasDiffMap",
      "mat.hasSpecMap", "mat.hasNormalMap", "mat.hasHeightMap", "mat.diffuseTex", "mat.specularTex",
      "mat.normalTex", "mat.heightTex"}},
    {"depthPass", {"lightProj", "lightView", "model", "hasAnim", "bones[0]"}},
    {"objectPicking", {"view", "proj", "model", "hasAnim", "bones[0]", "PickingColor"}},
    {"skybox", {"view", "proj", "renderSkybox", "gamma", "skyboxTex"}},
    {"spriteShader", {"projection", "model", "matDiffuse", "hasDiffMap", "diffuseTex", "gamma"}},
    {"particleShader",
     {"CameraRight_worldspace", "CameraUp_worldspace", "view", "proj", "discardAlpha", "renderMode", "upVector",
      "leftVector", "myTextureSampler"}},
    {"line", {"view", "proj", "model", "colour"}},
    {"testObj", {}},
    {"pbr", {}},
    {"nocam", {}},
};
}

using ShaderTest = GLContextTest;

TEST_F(ShaderTest, EveryProgramBuildsSilentlyAndHasTheUniformsThePassesSet)
{
    for (const auto& [stem, uniforms] : kContract)
    {
        SCOPED_TRACE(stem);
        std::string out;
        const Shader shader = Build(stem, &out);
        EXPECT_EQ(out, "");
        GLint linked = 0;
        glGetProgramiv(shader.program, GL_LINK_STATUS, &linked);
        EXPECT_TRUE(linked);
        for (const std::string& uniform : uniforms)
            EXPECT_NE(shader.Location(uniform), -1) << uniform;
    }
}

TEST_F(ShaderTest, SettersReachTheUniformsAndLocationsAreKeptPerProgram)
{
    const Shader forward = Build("forward");
    const Shader copy = forward;
    forward.Use();
    forward.SetInt("hasAnim", 1);
    forward.SetFloat("gamma", 2.2f);
    forward.SetVec2("mat.repeat", {2.0f, 3.0f});
    copy.SetVec3("camPos", {1.0f, 2.0f, 3.0f});
    forward.SetVec4("mat.matDiffuse", {0.1f, 0.2f, 0.3f, 0.4f});
    Matrix4 bone;
    bone.m[3] = 5.0f; // an x translation stored row by row, as bones are kept
    forward.SetMat4("bones[1]", bone, true);
    forward.SetMat4("view", bone);
    EXPECT_EQ(Error(), static_cast<GLenum>(GL_NO_ERROR));

    GLint hasAnim = 0;
    glGetUniformiv(forward.program, forward.Location("hasAnim"), &hasAnim);
    EXPECT_EQ(hasAnim, 1);
    float values[16] = {};
    glGetUniformfv(forward.program, forward.Location("camPos"), values);
    EXPECT_EQ(values[2], 3.0f);
    glGetUniformfv(forward.program, forward.Location("mat.matDiffuse"), values);
    EXPECT_FLOAT_EQ(values[3], 0.4f);
    glGetUniformfv(forward.program, forward.Location("bones[1]"), values);
    EXPECT_EQ(values[12], 5.0f); // transposed on the way in
    EXPECT_EQ(forward.Location("noSuchUniform"), -1);
}

TEST_F(ShaderTest, BrokenAndMissingSourcesAreReportedInRedAndStillRegistered)
{
    TempFolder folder;
    folder.Write("broken.vs", "#version 330 core\nvoid main() { gl_Position = nonsense; }\n");
    folder.Write("broken.fs", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    testing::internal::CaptureStdout();
    const Shader broken((folder.Folder() + "broken.vs").c_str(), (folder.Folder() + "broken.fs").c_str());
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(broken.program, 0u);
    EXPECT_THAT(out, HasSubstr("Shader compilation error of VERTEX type.\n"));
    EXPECT_THAT(out, HasSubstr("Filename: broken\n"));
    EXPECT_THAT(out, HasSubstr("InfoLog:\n"));
    EXPECT_THAT(out, HasSubstr("Program linking error of PROGRAM type.\n"));
    EXPECT_THAT(out, ::testing::Not(HasSubstr("FRAGMENT")));

    testing::internal::CaptureStdout();
    const Shader missing((folder.Folder() + "broken.vs").c_str(), (folder.Folder() + "absent.fs").c_str());
    const std::string missingOut = testing::internal::GetCapturedStdout();
    EXPECT_THAT(missingOut, HasSubstr("ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n"));
    EXPECT_THAT(missingOut, HasSubstr("Shader compilation error of FRAGMENT type.\n"));
}
