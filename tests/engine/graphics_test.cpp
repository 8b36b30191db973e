#include "c_camera.h"
#include "c_collider.h"
#include "c_particlesystem.h"
#include "c_transform.h"
#include "core.h"
#include "enginesystems.h"
#include "graphics.h"
#include "message.h"
#include "objectworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
// The renderer without a window: lists, settings and cameras, no GL.
class GraphicsTest : public ::testing::Test
{
protected:
    GameObject& Make(const std::string& name, std::initializer_list<const char*> components)
    {
        return world.LiveWith(name, ++lastId, components);
    }
    template <class T>
    void Send(SystemId receiver, MessageName name, T payload)
    {
        graphics.HandleMessage(Message<T>(SystemId::None, receiver, name, std::move(payload)));
    }
    static void Settle(CameraInterface& camera)
    {
        camera.SetViewDirty(false);
        camera.SetProjectionDirty(false);
    }

    ObjectWorld world;
    PostedMessages posted;
    ObjectId lastId = 100;
    Graphics graphics{nullptr, 160, 100};
};
}

TEST(GraphicsBones, TheUploadLimitIsTheSkinningShadersArrayLength)
{
    const std::string declaration = "const int MAX_BONES = " + std::to_string(Graphics::kMaxBones) + ";";
    for (const char* shader : {"forward.vs", "depthPass.vs", "objectPicking.vs"})
    {
        std::ifstream file(std::string(NEKTARU_SOURCE_DIR) + "/Bin/Assets/Shaders/" + shader);
        std::stringstream source;
        source << file.rdbuf();
        EXPECT_NE(source.str().find(declaration), std::string::npos) << shader;
    }
}

TEST_F(GraphicsTest, StartsWithTheRenderSettingsAndAnnouncesItself)
{
    const RenderSettings& settings = graphics.settings;
    EXPECT_EQ(settings.gamma, 2.2f);
    EXPECT_EQ(settings.exposure, 2.0f);
    EXPECT_TRUE(settings.hdr);
    EXPECT_TRUE(settings.renderSkybox);
    EXPECT_FALSE(settings.drawColliders);
    EXPECT_EQ(settings.skyboxName, "MainSky");
    EXPECT_EQ(settings.shadowMapWidth, 1024);
    EXPECT_EQ(settings.shadowHeightOffset, 100.0f);
    EXPECT_EQ(settings.clearColour, Vector4(0.1f, 0.1f, 0.1f, 1.0f));
    EXPECT_EQ(graphics.GameViewportSize(), std::make_pair(160, 100));
    EXPECT_EQ(graphics.EditorViewportSize(), std::make_pair(160, 100));
    testing::internal::CaptureStdout();
    graphics.Init();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "System: Graphics\t- OK\n");
}

TEST_F(GraphicsTest, MessagesToEverySystemKeepTheListsCurrent)
{
    GameObject& camera = Make("Camera", {"Camera", "PointLight"});
    Send<GameObject*>(SystemId::Logic, MessageNames::Register, &camera);
    EXPECT_THAT(graphics.cameras.active, IsEmpty());
    Send<GameObject*>(SystemId::All, MessageNames::Register, &camera);
    EXPECT_THAT(graphics.cameras.active, ElementsAre(&camera));
    EXPECT_THAT(graphics.pointLights.active, ElementsAre(&camera));

    Send(SystemId::All, MessageNames::DisableComponent, std::pair{CompEnum::Light, &camera});
    EXPECT_THAT(graphics.pointLights.disabled, ElementsAre(&camera));
    EXPECT_THAT(graphics.cameras.active, ElementsAre(&camera));
    Send<GameObject*>(SystemId::All, MessageNames::Disable, &camera);
    EXPECT_THAT(graphics.cameras.disabled, ElementsAre(&camera));
    Send<GameObject*>(SystemId::All, MessageNames::Enable, &camera);
    EXPECT_THAT(graphics.cameras.active, ElementsAre(&camera));
    EXPECT_THAT(graphics.pointLights.active, ElementsAre(&camera));

    Send(SystemId::All, MessageNames::Paused, true);
    EXPECT_TRUE(graphics.IsPaused());
    Send(SystemId::All, MessageNames::Paused, false);
    EXPECT_FALSE(graphics.IsPaused());

    Send<GameObject*>(SystemId::All, MessageNames::Destroy, &camera);
    EXPECT_THAT(graphics.cameras.active, IsEmpty());
    EXPECT_THAT(graphics.pointLights.active, IsEmpty());
    EXPECT_EQ(graphics.GetGameCamera(), nullptr);
}

TEST_F(GraphicsTest, TheGameCameraBuildsItsMatricesWhenDirty)
{
    GameObject& object = Make("Camera", {"Camera"});
    object.GetTransform()->SetPosition({0, 1, -10});
    graphics.RegisterObject(&object);
    graphics.UpdateGameCamera();
    CameraInterface& camera = *object.GetCamera();
    EXPECT_FALSE(camera.IsViewDirty());
    EXPECT_FALSE(camera.IsProjectionDirty());
    EXPECT_EQ(graphics.GetGameView(), LookAt({0, 1, -10}, Vector3(0, 1, -10) + object.GetTransform()->GetForward()));
    EXPECT_EQ(graphics.GetGameProjection(), Perspective(60.0f, 1.6f, 0.1f, 100.0f));
    EXPECT_EQ(graphics.GetUIProjection(), Orthographic(-960, 960, 600, -600, -1, 1));

    // Moving without the flag keeps the old view.
    object.GetTransform()->SetPosition({5, 5, 5});
    graphics.UpdateGameCamera();
    EXPECT_EQ(graphics.GetGameView(), LookAt({0, 1, -10}, Vector3(0, 1, -10) + object.GetTransform()->GetForward()));
}

TEST_F(GraphicsTest, OnlyANewViewportSizeDirtiesTheViewsCamera)
{
    GameObject& object = Make("Camera", {"Camera"});
    graphics.RegisterObject(&object);
    CameraInterface& game = *object.GetCamera();
    GameObject& editor = graphics.GetEditorCamera();
    editor.EnsureTransform();
    editor.AddComponent("Camera");
    graphics.ResetEditorCamera();
    EXPECT_TRUE(editor.GetCamera()->IsViewDirty());
    for (CameraInterface* camera : {&game, editor.GetCamera()})
        Settle(*camera);

    const struct
    {
        int width, height;
        bool dirties;
    } sizes[] = {{160, 100, false}, {320, 200, true}, {320, 200, false}, {0, 0, false}, {640, 0, false}};
    for (const auto& size : sizes)
    {
        graphics.SetGameViewportSize(size.width, size.height);
        graphics.SetEditorViewportSize(size.width, size.height);
        EXPECT_EQ(game.IsProjectionDirty(), size.dirties) << size.width << "x" << size.height;
        EXPECT_EQ(editor.GetCamera()->IsProjectionDirty(), size.dirties) << size.width << "x" << size.height;
        for (CameraInterface* camera : {&game, editor.GetCamera()})
            Settle(*camera);
    }
    EXPECT_EQ(graphics.GameViewportSize(), std::make_pair(320, 200));
    EXPECT_EQ(graphics.EditorViewportSize(), std::make_pair(320, 200));
}

TEST_F(GraphicsTest, CollidersAreQueuedAsWireframesOnlyWhileDrawingThemIsOn)
{
    GameObject& box = Make("Box", {"AABBCollider"});
    GameObject& ball = Make("Ball", {"SphereCollider"});
    GameObject& hidden = Make("Hidden", {"CapsuleCollider"});
    hidden.GetCollider()->SetEnabled(false);
    for (GameObject* object : {&box, &ball, &hidden})
        graphics.RegisterObject(object);
    graphics.DrawColliders(&ball);
    EXPECT_THAT(graphics.GetDebugShapes().Shapes(), IsEmpty());

    graphics.settings.drawColliders = true;
    graphics.DrawColliders(&ball);
    const std::vector<DebugShape>& shapes = graphics.GetDebugShapes().Shapes();
    // Three shapes of the box, then the selected sphere.
    ASSERT_EQ(shapes.size(), 4u);
    EXPECT_EQ(shapes[0].colour, Vector3(0.486f, 0.988f, 0.0f));
    EXPECT_EQ(shapes[0].lineWidth, 1.5f);
    EXPECT_EQ(shapes[3].colour, Vector3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(shapes[3].lineWidth, 4.0f);
    EXPECT_EQ(shapes[3].segments.size(), 3 * 48u);
}

TEST(GraphicsInCore, RemovingAMeshPieceOrALightTakesTheObjectOutOfThoseLists)
{
    ObjectWorld world;
    Core core(EngineSystemsWithoutWindow());
    PostedMessages posted;
    Graphics& graphics = *core.GetGraphics();
    GameObject& object = world.Live("Lamp", 7);
    object.EnsureTransform();
    Component* light = object.AddComponent("PointLight");
    Component* camera = object.AddComponent("Camera");
    graphics.RegisterObject(&object);
    object.RemoveComponent(camera);
    EXPECT_THAT(graphics.pointLights.active, ElementsAre(&object));
    object.RemoveComponent(light);
    EXPECT_THAT(graphics.pointLights.active, IsEmpty());
}

TEST_F(GraphicsTest, EveryActiveParticleSystemTicksOncePerFrameUnlessPaused)
{
    GameObject& sparks = Make("Sparks", {"ParticleSystem"});
    auto& system = *sparks.GetComponent<ParticleSystem>();
    system.settings.emissionRate = 60;
    graphics.RegisterObject(&sparks);
    graphics.EmitParticles();
    EXPECT_EQ(system.GetLiveCount(), 1);
    Send(SystemId::All, MessageNames::Paused, true);
    graphics.EmitParticles();
    EXPECT_EQ(system.GetLiveCount(), 1);
    Send(SystemId::All, MessageNames::Paused, false);
    Send(SystemId::All, MessageNames::Disable, &sparks);
    graphics.EmitParticles();
    EXPECT_EQ(system.GetLiveCount(), 1);
    Send(SystemId::All, MessageNames::Enable, &sparks);
    graphics.EmitParticles();
    EXPECT_EQ(system.GetLiveCount(), 2);
}

TEST_F(GraphicsTest, TheParticleCapacityIsTheSumOfTheActiveSystemsHoweverOftenTheyRegister)
{
    GameObject& sparks = Make("Sparks", {"ParticleSystem"});
    GameObject& smoke = Make("Smoke", {"ParticleSystem"});
    GameObject& wall = Make("Wall", {"MeshRenderer"});
    sparks.GetComponent<ParticleSystem>()->settings.maxParticles = 300;
    smoke.GetComponent<ParticleSystem>()->settings.maxParticles = 200;
    for (GameObject* object : {&sparks, &sparks, &smoke, &wall, &sparks, &smoke})
        graphics.RegisterObject(object);
    EXPECT_EQ(graphics.GetParticleCapacity(), 500u);
    graphics.UnregisterObject(&smoke);
    graphics.RegisterObject(&sparks);
    EXPECT_EQ(graphics.GetParticleCapacity(), 300u);
}

TEST(GraphicsInCore, InTheEditorAnUpdateLeavesTheFramesWorkToTheSceneView)
{
    ObjectWorld world;
    PostedMessages posted;
    Core core(EngineSystemsWithoutWindow());
    Graphics& graphics = *core.GetGraphics();
    GameObject& sparks = world.LiveWith("Sparks", 1, {"ParticleSystem"});
    sparks.GetComponent<ParticleSystem>()->settings.emissionRate = 60;
    GameObject& camera = world.LiveWith("Camera", 2, {"Camera"});
    graphics.RegisterObject(&sparks);
    graphics.RegisterObject(&camera);
    core.ResetFrameTimer();

    core.SetEditorMode(true);
    graphics.Update();
    EXPECT_EQ(sparks.GetComponent<ParticleSystem>()->GetLiveCount(), 0);
    EXPECT_TRUE(camera.GetCamera()->IsViewDirty());

    core.SetEditorMode(false);
    graphics.Update();
    EXPECT_EQ(sparks.GetComponent<ParticleSystem>()->GetLiveCount(), 1);
    EXPECT_FALSE(camera.GetCamera()->IsViewDirty());
}
