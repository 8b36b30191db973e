// The renderer drawing into a small window under Xvfb, on a tree of fixture assets.
#include "c_animator.h"
#include "c_canvas.h"
#include "c_image.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_particlesystem.h"
#include "c_recttransform.h"
#include "c_transform.h"
#include "ddsfile.h"
#include "graphics.h"
#include "message.h"
#include "objectworld.h"
#include "platform/window.h"
#include "resourcemanager.h"
#include "tempfolder.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace
{
constexpr int kWidth = 160;
constexpr int kHeight = 100;

using Pixel = std::array<int, 3>;

// Pure colours survive the faces' sRGB decoding and the shaders' gamma unchanged.
constexpr struct
{
    const char* face;
    std::uint16_t rgb565;
} kSkyFaces[] = {{"right", 0xF800}, {"left", 0x07E0}, {"top", 0x001F},
                 {"bottom", 0xFFE0}, {"front", 0xF81F}, {"back", 0x07FF}};

class GLRenderTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!std::getenv("DISPLAY"))
            return;
        // Kept for the whole process: closing it unloads the GL driver, whose allocations would then be
        // reported as leaks without the library names the suppressions match.
        if (!window_)
            window_ = new platform::Window("Nektaru render test", kWidth, kHeight);
        window_->Show();
        assets_ = std::make_unique<TempFolder>();
        namespace fs = std::filesystem;
        fs::create_directories(assets_->Path() / "Assets/Shaders");
        fs::copy(std::string(NEKTARU_SOURCE_DIR) + "/Bin/Assets/Shaders", assets_->Path() / "Assets/Shaders");
        const std::string models = std::string(NEKTARU_ASSETS_DIR) + "/Models/Fixtures/";
        fs::create_directories(assets_->Path() / "Assets/Models/Non-Animated");
        fs::create_directories(assets_->Path() / "Assets/Models/Animated");
        fs::copy(models + "Cube.dae", assets_->Path() / "Assets/Models/Non-Animated/Cube.dae");
        fs::copy(models + "Skinned.dae", assets_->Path() / "Assets/Models/Animated/Skinned.dae");
        for (const char* icon : {"camera.dae", "Arrow.dae"})
            fs::copy(std::string(NEKTARU_ASSETS_DIR) + "/Models/Non-Animated/" + icon,
                     assets_->Path() / "Assets/Models/Non-Animated" / icon);
        for (const auto& [face, colour] : kSkyFaces)
            assets_->Write(std::string("Assets/Textures/Skyboxes/MainSky/") + face + ".dds",
                           SolidDDS("DXT1", 4, 4, 1, 1, colour));
        assets_->Write("Assets/Textures/black.dds", SolidDDS("DXT1", 4, 4, 1, 1, 0));
        // A picture red in its upper half and blue in its lower half (DDS rows run top down).
        assets_->Write("Assets/Textures/RedOverBlue.dds",
                       DDSHeader("DXT1", 4, 8, 1) + SolidDXT1Block(0xF800) + SolidDXT1Block(0x001F));
        assets_->Write("Assets/Textures/white.dds", SolidDDS("DXT1", 4, 4, 1, 1, 0xFFFF));
    }
    static void TearDownTestSuite() { assets_.reset(); }

    void SetUp() override
    {
        if (!window_)
            GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
        ASSERT_TRUE(window_->IsOpen()) << window_->Error();
        auto resources = std::make_unique<ResourceManager>(assets_->Folder());
        testing::internal::CaptureStdout();
        resources->LoadAllResources();
        for (auto& task : resources->modelTasks)
            task.get();
        resources->ProcessModels();
        AddMaterial(*resources, "White", {1, 1, 1, 1}, 0);
        AddMaterial(*resources, "Glass", {1, 0, 0, 0.5f}, 1);
        AddMaterial(*resources, "RedOverBlue", {1, 1, 1, 1}, 0);
        resources->materials["RedOverBlue"].hasDiffuseMap = true;
        resources->materials["RedOverBlue"].diffuseMap = "RedOverBlue.dds";
        AddWalk(*resources);
        graphics = std::make_unique<Graphics>(window_, kWidth, kHeight);
        graphics->SetResourceManager(std::move(resources));
        graphics->Init();
        testing::internal::GetCapturedStdout();
    }

    static void AddMaterial(ResourceManager& resources, const std::string& name, const Vector4& diffuse,
                            std::uint32_t renderMode)
    {
        Material material;
        material.name = name;
        material.diffuse = diffuse;
        material.specular = {0, 0, 0, 1};
        material.renderMode = renderMode;
        resources.materials[name] = material;
    }

    // Two seconds of the skinned fixture's animation as one looping state.
    static void AddWalk(ResourceManager& resources)
    {
        auto walk = std::make_unique<AnimationController>();
        walk->name = "Walk";
        walk->animDuration = 2.0f;
        walk->totalFrames = 60.0f;
        walk->defaultState = "Move";
        walk->states["Move"] = AnimationState{"Move", 0.0f, 60.0f, 1.0f, true};
        walk->Play("Move");
        resources.animationControllers["Walk"] = std::move(walk);
    }

    GameObject& Make(const std::string& name) { return world.LiveWith(name, ++lastId); }
    GameObject& Camera(const Vector3& position, const Vector3& target)
    {
        GameObject& camera = Make("Camera");
        camera.AddComponent("Camera");
        camera.GetTransform()->SetPosition(position);
        camera.GetTransform()->LookAt(target);
        graphics->RegisterObject(&camera);
        return camera;
    }
    GameObject& Mesh(const std::string& name, const std::string& model, const std::string& material,
                     const Vector3& position, const Vector3& scale = {1, 1, 1})
    {
        GameObject& object = Make(name);
        object.AddComponent("MeshFilter");
        object.GetMeshFilter()->SetMeshName(model);
        object.AddComponent("MeshRenderer");
        object.GetComponent<MeshRenderer>()->AddMaterial(material);
        object.GetTransform()->SetPosition(position);
        object.GetTransform()->SetScale(scale);
        graphics->RegisterObject(&object);
        return object;
    }
    GameObject& Light(const char* kind, const Vector3& position, const Vector3& target)
    {
        GameObject& light = Make(kind);
        light.AddComponent(kind);
        light.GetTransform()->SetPosition(position);
        light.GetTransform()->LookAt(target);
        graphics->RegisterObject(&light);
        return light;
    }

    // A UI element of the canvas: a flat colour, centred at (x, y) in canvas units, at depth z.
    GameObject& Sprite(GameObject& canvas, const Vector4& colour, float x, float y, float z, float scale)
    {
        GameObject& sprite = world.Live("Sprite", ++lastId);
        for (const char* component : {"CanvasRenderer", "RectTransform", "Image"})
            sprite.AddComponent(component);
        sprite.GetRectTransform()->SetPosition({x, y, z});
        sprite.GetRectTransform()->SetScale({scale, scale});
        sprite.GetImage()->SetColor(colour);
        canvas.AddChild(&sprite);
        graphics->RegisterObject(&sprite);
        return sprite;
    }
    // The pixel of a canvas point (x, y) in a window of the design aspect.
    static Pixel AtCanvas(float x, float y)
    {
        return At(static_cast<int>((x + 960.0f) / 1920.0f * kWidth), static_cast<int>((y + 600.0f) / 1200.0f * kHeight));
    }
    // Mean column of the pixels whose red channel is lit.
    static float RedCentre()
    {
        std::vector<unsigned char> rgba(kWidth * kHeight * 4);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        float sum = 0.0f, count = 0.0f;
        for (int i = 0; i < kWidth * kHeight; ++i)
            if (rgba[4 * i] > 128)
            {
                sum += static_cast<float>(i % kWidth);
                ++count;
            }
        return count > 0 ? sum / count : -1.0f;
    }

    // One frame into the window's back buffer, read before any swap.
    void DrawFrame()
    {
        graphics->PrepareFrame();
        graphics->DrawFrame(graphics->WindowTarget());
        glFinish();
    }
    static Pixel At(int x, int y)
    {
        unsigned char rgba[4] = {};
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }
    // The pixel a world point is drawn at, rows from the bottom.
    Pixel AtWorld(const Vector3& point) const
    {
        const auto [x, y] = ScreenOf(point);
        return At(x, y);
    }
    // The editor camera six units before the origin, looking at it.
    void PlaceEditorCamera()
    {
        GameObject& editor = graphics->GetEditorCamera();
        editor.EnsureTransform();
        editor.AddComponent("Camera");
        editor.GetTransform()->SetPosition({0, 0.5f, -6});
        editor.GetTransform()->LookAt({0, 0.5f, 0});
        graphics->ResetEditorCamera();
        graphics->UpdateEditorCamera();
    }
    // The pixel of the editor's view a world point is drawn at, rows from the bottom.
    std::pair<int, int> EditorPixelOf(const Vector3& point) const
    {
        const Vector4 clip =
            graphics->GetEditorProjection() * (graphics->GetEditorView() * Vector4(point.x, point.y, point.z, 1));
        return {static_cast<int>((clip.x / clip.w + 1) / 2 * kWidth), static_cast<int>((clip.y / clip.w + 1) / 2 * kHeight)};
    }
    std::pair<int, int> ScreenOf(const Vector3& point) const
    {
        const Vector4 clip = graphics->GetGameProjection() * (graphics->GetGameView() * Vector4(point.x, point.y, point.z, 1));
        return {static_cast<int>((clip.x / clip.w + 1) / 2 * kWidth), static_cast<int>((clip.y / clip.w + 1) / 2 * kHeight)};
    }
    static int Brightness(const Pixel& pixel) { return pixel[0] + pixel[1] + pixel[2]; }

    static inline platform::Window* window_ = nullptr;
    static inline std::unique_ptr<TempFolder> assets_;
    ObjectWorld world;
    PostedMessages posted;
    ObjectId lastId = 100;
    std::unique_ptr<Graphics> graphics;
};

::testing::AssertionResult Near(const Pixel& actual, const Pixel& expected, int tolerance = 8)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(actual[c] - expected[c]) > tolerance)
            return ::testing::AssertionFailure() << "(" << actual[0] << ", " << actual[1] << ", " << actual[2]
                                                 << ") is not (" << expected[0] << ", " << expected[1] << ", "
                                                 << expected[2] << ")";
    return ::testing::AssertionSuccess();
}
}

TEST_F(GLRenderTest, WithoutACameraTheFrameIsTheClearColour)
{
    Mesh("Cube", "Cube", "White", {0, 0, 0});
    DrawFrame();
    EXPECT_TRUE(Near(At(kWidth / 2, kHeight / 2), {26, 26, 26}, 2));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, ALitCubeCastsAShadowUnderTheSkyWithGlassBlendedOverIt)
{
    // Shadows reach from a box this high above the camera; a dim ambient lets them show.
    graphics->settings.shadowHeightOffset = 10.0f;
    graphics->SetWorldAmbient({0.2f, 0.2f, 0.2f});
    Camera({0, 3, -6}, {0, 0.5f, 0});
    Mesh("Floor", "Cube", "White", {0, -0.1f, 0}, {30, 0.2f, 30});
    Mesh("Cube", "Cube", "White", {0, 0.5f, 0});
    // Slanting along +x, so the shadow falls beside the cube.
    Light("DirectionalLight", {0, 5, 0}, {1, 4, 0});
    Light("PointLight", {-2, 2, -2}, {0, 0, 0});
    DrawFrame();

    // Looking along +z, the top edge shows the front face of the sky.
    EXPECT_TRUE(Near(At(kWidth / 2, kHeight - 1), {255, 0, 255}));
    const Pixel top = AtWorld({0, 1, -0.2f});
    EXPECT_GT(Brightness(top), 600);
    const Pixel shadow = AtWorld({1, 0, 0});
    const Pixel lit = AtWorld({-2, 0, 0});
    EXPECT_LT(Brightness(shadow) + 90, Brightness(lit));

    // Red glass between the camera and the cube tints it but lets it show through.
    GameObject& glass = Mesh("Glass", "Cube", "Glass", {0, 0.7f, -1.5f}, {0.6f, 0.6f, 0.2f});
    DrawFrame();
    const Pixel tinted = AtWorld({0, 0.7f, -1.6f});
    EXPECT_GT(tinted[0], tinted[1] + 40);
    EXPECT_GT(tinted[1], 20);
    // The object's own colour, not the shared material's, is what blends.
    glass.GetMeshRenderer()->SetDiffuseColor({0, 0, 1, 0.5f});
    DrawFrame();
    const Pixel blue = AtWorld({0, 0.7f, -1.6f});
    EXPECT_GT(blue[2], blue[0] + 40);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, HigherUIDepthsAreDrawnOnTopAcrossTheWholeRangeAndAlphaBlends)
{
    Camera({0, 0, -5}, {0, 0, 0});
    GameObject& canvas = Make("Canvas");
    canvas.AddComponent("Canvas");
    graphics->RegisterObject(&canvas);
    Sprite(canvas, {1, 0, 0, 1}, 0, 0, 0.5f, 3);
    Sprite(canvas, {0, 1, 0, 1}, 150, 0, 0.0f, 3);
    Sprite(canvas, {0, 0, 1, 1}, -700, 0, -1.0f, 2);
    Sprite(canvas, {1, 1, 0, 1}, 700, 0, 1.0f, 2);
    DrawFrame();
    const Pixel behind = AtCanvas(0, 400);
    EXPECT_TRUE(Near(AtCanvas(75, 0), {255, 0, 0}));
    EXPECT_TRUE(Near(AtCanvas(250, 0), {0, 255, 0}));
    EXPECT_TRUE(Near(AtCanvas(-700, 0), {0, 0, 255}));
    EXPECT_TRUE(Near(AtCanvas(700, 0), {255, 255, 0}));

    Sprite(canvas, {1, 1, 1, 0.5f}, 0, 400, 0, 2);
    DrawFrame();
    EXPECT_TRUE(Near(AtCanvas(0, 400), {(255 + behind[0]) / 2, (255 + behind[1]) / 2, (255 + behind[2]) / 2}, 12));
    // Hiding the canvas object hides its elements.
    canvas.SetActive(false);
    DrawFrame();
    EXPECT_TRUE(Near(AtCanvas(75, 0), AtCanvas(0, 400)));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, UIPositionsGrowUpwardsAndPicturesStandUpright)
{
    Camera({0, 0, -5}, {0, 0, 0});
    GameObject& canvas = Make("Canvas");
    canvas.AddComponent("Canvas");
    graphics->RegisterObject(&canvas);
    // 200 canvas units tall, its top edge 50 below the top of the screen.
    Sprite(canvas, {1, 1, 1, 1}, 0, 450, 0, 2).GetImage()->SetMaterial("RedOverBlue");
    DrawFrame();
    EXPECT_TRUE(Near(At(kWidth / 2, kHeight - 10), {255, 0, 0}));
    EXPECT_TRUE(Near(AtCanvas(0, 400), {0, 0, 255}));
    // The mirror place at the bottom shows the sky in front of the camera.
    EXPECT_TRUE(Near(AtCanvas(0, -450), {255, 0, 255}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, PickingFindsTheObjectUnderAPixelAndNothingOnTheBackground)
{
    GameObject& left = Mesh("Left", "Cube", "White", {1.5f, 0.5f, 0});
    GameObject& right = Mesh("Right", "Cube", "White", {-1.5f, 0.5f, 0});
    PlaceEditorCamera();
    const auto pixel = [this](const Vector3& point) { return EditorPixelOf(point); };
    const std::vector<GameObject*> objects = graphics->opaqueRenderables.active.Objects();
    const auto [lx, ly] = pixel({1.5f, 0.5f, -0.5f});
    const auto [rx, ry] = pixel({-1.5f, 0.5f, -0.5f});
    EXPECT_EQ(graphics->PickObject(lx, ly, objects), &left);
    EXPECT_EQ(graphics->PickObject(rx, ry, objects), &right);
    EXPECT_EQ(graphics->PickObject(kWidth / 2, kHeight - 2, objects), nullptr);
    // An icon stands in for the object's own model.
    GameObject& camera = Make("Camera");
    camera.GetTransform()->SetPosition({0, 0.5f, 0});
    const auto [cx, cy] = pixel({0, 0.5f, -0.5f});
    Model* icon = graphics->GetResourceManager()->models.at("Cube").get();
    EXPECT_EQ(graphics->PickIconObject(cx, cy, {&camera}, icon), &camera);
    EXPECT_EQ(graphics->PickIconObject(lx, ly, {&camera}, icon), nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, TheEditorViewDrawsTheIconsOfCamerasAndLightsOverTheInterface)
{
    PlaceEditorCamera();
    Camera({1.5f, 0.5f, 0}, {1.5f, 0.5f, 1});
    Light("DirectionalLight", {-1.5f, 0.5f, 0}, {-1.5f, 0.5f, 1});
    GameObject& canvas = Make("Canvas");
    canvas.AddComponent("Canvas");
    graphics->RegisterObject(&canvas);
    // Short of the canvas's sides by 10 pixels each: a plain image over all of it is a veil the editor view
    // leaves out.
    Sprite(canvas, {0, 0, 0, 1}, 0, 0, 0, 19);
    graphics->UpdateEditorCamera();
    graphics->SortCanvasRenderers();
    graphics->DrawEditorView();

    glBindFramebuffer(GL_FRAMEBUFFER, graphics->GetFramebuffer(Graphics::kEditorViewKey));
    const auto colourAt = [](const std::pair<int, int>& pixel) {
        std::array<float, 4> rgba{};
        glReadPixels(pixel.first, pixel.second, 1, 1, GL_RGBA, GL_FLOAT, rgba.data());
        return rgba;
    };
    for (const Vector3& place : {Vector3(1.5f, 0.5f, 0), Vector3(-1.5f, 0.5f, 0)})
    {
        const std::array<float, 4> icon = colourAt(EditorPixelOf(place));
        EXPECT_GT(icon[0], 0.9f) << place.x;
        EXPECT_GT(icon[1], 0.8f) << place.x;
        EXPECT_LT(icon[2], 0.5f) << place.x;
    }
    EXPECT_LT(colourAt(EditorPixelOf({0, 0.5f, 0}))[0], 0.1f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, ASkinnedModelMovesWithItsClockOncePerFrameAndHoldsWhilePaused)
{
    Camera({0, 1, 6}, {0, 1, 0});
    GameObject& walker = Mesh("Walker", "Skinned", "White", {0, 0, 0});
    walker.AddComponent("Animator");
    auto& animator = *walker.GetComponent<Animator>();
    animator.SetController("Walk");
    // Rendering samples the pose; only the frame's advance moves it.
    DrawFrame();
    const float start = RedCentre();
    DrawFrame();
    EXPECT_NEAR(RedCentre(), start, 0.5f);

    // Half a second on, the root has walked half a unit and the tip has turned.
    graphics->AdvanceAnimators(0.5f);
    DrawFrame();
    const float moved = RedCentre();
    EXPECT_GT(std::abs(moved - start), 2.0f);
    EXPECT_FLOAT_EQ(animator.GetCurrentTime(), 0.5f);

    animator.Pause();
    graphics->AdvanceAnimators(0.5f);
    DrawFrame();
    EXPECT_NEAR(RedCentre(), moved, 0.5f);
    animator.Resume();
    // The game's pause stops every clock and shows the first pose.
    graphics->HandleMessage(Message<bool>(SystemId::ScriptCalls, SystemId::All, MessageNames::Paused, true));
    graphics->AdvanceAnimators(0.5f);
    DrawFrame();
    EXPECT_NEAR(RedCentre(), start, 0.5f);
    EXPECT_FLOAT_EQ(animator.GetCurrentTime(), 0.5f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, ASkyboxIsRebuiltOnlyForANewName)
{
    Camera({0, 0, 0}, {0, 0, 1});
    const unsigned sky = graphics->GetSkyboxTexture();
    graphics->SetSkybox("MainSky");
    EXPECT_EQ(graphics->GetSkyboxTexture(), sky);
    DrawFrame();
    EXPECT_TRUE(Near(At(kWidth / 2, kHeight / 2), {255, 0, 255}));
    graphics->SetSkybox("black");
    DrawFrame();
    EXPECT_TRUE(Near(At(kWidth / 2, kHeight / 2), {0, 0, 0}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, ASkyboxNameThatLeavesTheSkyFolderGivesABlackSky)
{
    // The name comes from a scene-settings file; this one leads back to a real sky and is still refused.
    Camera({0, 0, 0}, {0, 0, 1});
    testing::internal::CaptureStdout();
    graphics->SetSkybox("../Skyboxes/MainSky");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("is not a folder name"), std::string::npos);
    DrawFrame();
    EXPECT_TRUE(Near(At(kWidth / 2, kHeight / 2), {0, 0, 0}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLRenderTest, APlayingParticleSystemIsDrawnFacingTheCameraAndAStoppedOneIsNot)
{
    Camera({0, 0, -5}, {0, 0, 0});
    DrawFrame();
    const Pixel sky = AtWorld({0, 0, 0});
    GameObject& sparks = Make("Sparks");
    auto& system = *static_cast<ParticleSystem*>(sparks.AddComponent("ParticleSystem"));
    ParticleSettings& settings = system.settings;
    settings.shapeRadius = 0.0f;
    settings.startSpeed = 0.0f;
    settings.startLifetime = 100.0f;
    settings.bursts = {{1, 1, 0.0f, 0.0f}};
    settings.colourOverLifetime = true;
    settings.colourMax = settings.colourMin = {255.0f, 0.0f, 0.0f, 255.0f};
    settings.textureName = "white.dds";
    graphics->RegisterObject(&sparks);
    EXPECT_EQ(graphics->GetParticleCapacity(), 1000u);

    DrawFrame();
    EXPECT_EQ(system.GetLiveCount(), 1);
    EXPECT_TRUE(Near(AtWorld({0, 0, 0}), {255, 0, 0}));
    system.Stop();
    DrawFrame();
    EXPECT_TRUE(Near(AtWorld({0, 0, 0}), sky, 2));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The sky fills only what no opaque surface covers, even a surface whose depth rounds to the far end itself.
TEST_F(GLRenderTest, AWallAtTheLastStepOfTheDepthRangeStandsInFrontOfTheSky)
{
    Camera({0, 0, 0}, {0, 0, 1});
    GameObject& wall = Mesh("Wall", "Cube", "White", {0, 0, 50}, {4000, 4000, 0.01f});
    DrawFrame();
    const Pixel near = At(kWidth / 2, kHeight / 2);
    ASSERT_FALSE(Near(near, {255, 0, 255}));
    // The default camera's depth reaches 1 a little short of 599.5 units away.
    for (const float distance : {599.46f, 599.48f, 599.49f})
    {
        wall.GetTransform()->SetPosition({0, 0, distance});
        DrawFrame();
        EXPECT_EQ(At(kWidth / 2, kHeight / 2), near) << distance;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
