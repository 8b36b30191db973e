// The main menu bar's items and keys on a loaded scene, headless.
#include "c_camera.h"
#include "c_canvas.h"
#include "c_light.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_particlesystem.h"
#include "resourcemanager.h"
#include "texture.h"
#include "sceneeditorworld.h"
#include "transforminterface.h"
#include "vectornear.h"

#include <algorithm>

namespace
{
class MenuBarTest : public SceneEditorWorld
{
protected:
    Graphics& graphics() { return *core.GetGraphics(); }
    std::vector<std::string> LiveNames() const
    {
        std::vector<std::string> names;
        for (const GameObject* object : factory.GetObjects())
            names.push_back(object->GetName());
        return names;
    }
    // One editor frame with the key held, then one with it let go.
    void TapKey(std::uint16_t key, const std::function<void()>& whileHeld)
    {
        input().SetKey(key, true);
        editor().Update();
        input().EndFrame();
        whileHeld();
        input().SetKey(key, false);
        editor().Update();
        input().EndFrame();
    }
};
}

TEST_F(MenuBarTest, NewSceneLeavesALightAndACameraUnderAShippedSkyWithNothingToUndo)
{
    ASSERT_GT(factory.GetObjects().size(), 2u);
    editor().CreateFromMenu("Cube");
    ASSERT_EQ(ActionHistory().size(), 1u);
    graphics().settings.skyboxName = "Elsewhere";

    editor().NewScene();
    EXPECT_EQ(LiveNames(), (std::vector<std::string>{"Directional Light", "Main Camera"}));
    for (const GameObject* object : factory.GetObjects())
        ExpectNear(object->GetTransform()->GetScale(), Vector3(1.0f, 1.0f, 1.0f), object->GetName().c_str());
    const auto* light = factory.GetObjects()[0]->GetComponent<DirectionalLight>();
    ASSERT_NE(light, nullptr);
    ExpectNear(light->GetDirection(), Vector3(0.0f, -1.0f, -1.0f), "light direction");
    const auto* camera = factory.GetObjects()[1]->GetComponent<Camera>();
    ASSERT_NE(camera, nullptr);
    EXPECT_FLOAT_EQ(camera->GetFar(), 100.0f);
    // A sky the build's assets lack would show the missing-texture colour.
    EXPECT_NE(graphics().GetSkyboxName(), "Elsewhere");
    const std::string textures = std::string(NEKTARU_ASSETS_DIR) + "/Textures/";
    for (const std::string& face : SkyboxFacePaths(textures, graphics().GetSkyboxName()))
        EXPECT_TRUE(std::filesystem::is_regular_file(face)) << face;
    EXPECT_TRUE(ActionHistory().empty());
    EXPECT_EQ(editor().InspectedObject(), nullptr);
    EXPECT_TRUE(editor().PickedObjects().empty());
    EXPECT_FALSE(editor().SceneLoaded());
}

TEST_F(MenuBarTest, NewMaterialsAreNamedAfterTheirFilesAndNeverReplaceOne)
{
    graphics().SetResourceManager(std::make_unique<ResourceManager>(scratch.Folder()));
    std::filesystem::create_directories(scratch.Path() / "Assets/Materials");
    scratch.Write("Assets/Materials/New Material 1.xml", "kept");
    EXPECT_EQ(editor().CreateMaterialFile(), "New Material");
    EXPECT_EQ(editor().CreateMaterialFile(), "New Material 2");
    EXPECT_EQ(editor().CreateMaterialFile(), "New Material 3");
    EXPECT_EQ(scratch.Read("Assets/Materials/New Material 1.xml"), "kept");
    const std::string written = scratch.Read("Assets/Materials/New Material 2.xml");
    EXPECT_NE(written.find("<MatName>New Material 2</MatName>"), std::string::npos) << written;
    EXPECT_NE(written.find("<Shininess>32</Shininess>"), std::string::npos) << written;
    const auto& materials = graphics().GetResourceManager()->materials;
    ASSERT_TRUE(materials.contains("New Material 3"));
    EXPECT_EQ(materials.at("New Material 3").name, "New Material 3");
    EXPECT_FLOAT_EQ(materials.at("New Material 3").diffuse.x, 0.8f);
}

TEST_F(MenuBarTest, MeshItemsDrawTheirModelAreSelectedAndOneUndoTakesEachAway)
{
    for (const char* item : {"Cube", "Sphere", "Capsule", "Plane"})
    {
        GameObject* object = editor().CreateFromMenu(item);
        ASSERT_NE(object, nullptr) << item;
        EXPECT_EQ(object->GetName(), item);
        EXPECT_EQ(object->GetComponent<MeshFilter>()->GetMeshName(), item);
        EXPECT_NE(object->GetComponent<MeshRenderer>(), nullptr);
        EXPECT_TRUE(graphics().opaqueRenderables.active.Contains(object)) << item;
        EXPECT_EQ(editor().InspectedObject(), object);
        EXPECT_EQ(editor().PickedObjects(), std::vector<GameObject*>{object});
        const ObjectId id = object->GetID();
        UndoAction();
        EXPECT_FALSE(IsLive(id)) << item;
    }
}

TEST_F(MenuBarTest, AnImageWithoutACanvasBringsOneThatIsNotRecorded)
{
    ASSERT_TRUE(graphics().canvases.active.empty());
    GameObject* image = editor().CreateFromMenu("Image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetTransform(), nullptr);
    ASSERT_EQ(graphics().canvases.active.size(), 1u);
    GameObject* canvas = graphics().canvases.active.front();
    EXPECT_EQ(canvas->GetName(), "Canvas");
    EXPECT_EQ(canvas->GetComponent<Canvas>()->GetPPU(), 100u);
    EXPECT_EQ(image->GetParent(), canvas);
    EXPECT_EQ(ActionHistory().size(), 1u);
    // Not selected.
    EXPECT_NE(editor().InspectedObject(), image);

    GameObject* second = editor().CreateFromMenu("Image");
    EXPECT_EQ(second->GetParent(), canvas);
    EXPECT_EQ(graphics().canvases.active.size(), 1u);
}

TEST_F(MenuBarTest, TheOtherItemsMakeTheirPresetsUnderTheirNames)
{
    GameObject* particles = editor().CreateFromMenu("ParticleSystem");
    EXPECT_EQ(particles->GetName(), "Empty Object");
    EXPECT_NE(particles->GetComponent<ParticleSystem>(), nullptr);
    EXPECT_EQ(editor().InspectedObject(), particles);

    GameObject* camera = editor().CreateFromMenu("Camera");
    EXPECT_FLOAT_EQ(camera->GetComponent<Camera>()->GetFOV(), 60.0f);
    EXPECT_FLOAT_EQ(camera->GetComponent<Camera>()->GetMouseSensitivity(), 0.1f);

    GameObject* light = editor().CreateFromMenu("DirectionalLight");
    EXPECT_FLOAT_EQ(light->GetComponent<DirectionalLight>()->GetIntensity(), 1.0f);
    EXPECT_EQ(editor().InspectedObject(), camera);

    GameObject* canvas = editor().CreateFromMenu("Canvas");
    EXPECT_EQ(canvas->GetTransform(), nullptr);
    EXPECT_NE(canvas->GetComponent<Canvas>(), nullptr);
    EXPECT_EQ(ActionHistory().size(), 4u);
}

TEST_F(MenuBarTest, F5PlaysOnThePressWhileF6AndF9ActOnTheRelease)
{
    TapKey(116, [&] { EXPECT_TRUE(editor().IsPlaying()); });
    EXPECT_TRUE(editor().IsPlaying());
    TapKey(117, [&] { EXPECT_FALSE(editor().IsPaused()); });
    EXPECT_TRUE(editor().IsPaused());
    TapKey(120, [&] { EXPECT_FALSE(editor().DebugDrawOpen()); });
    EXPECT_TRUE(editor().DebugDrawOpen());
    TapKey(116, [&] { EXPECT_FALSE(editor().IsPlaying()); });
}

TEST_F(MenuBarTest, TheLoadPopupOffersLevelFilesButNeverThePlaySnapshot)
{
    scratch.Write("Assets/XML/tmpScene.xml", "<Objects>\n</Objects>\n");
    scratch.Write("Assets/XML/notes.txt", "");
    editor().ScanAssetFolders(scratch.Folder());
    std::vector<std::string> names;
    for (const AssetFile& file : editor().LoadableScenes())
        names.push_back(file.name);
    EXPECT_NE(std::ranges::find(names, "Tomb.xml"), names.end());
    EXPECT_EQ(std::ranges::find(names, "tmpScene.xml"), names.end());
    EXPECT_EQ(std::ranges::find(names, "notes.txt"), names.end());
}
