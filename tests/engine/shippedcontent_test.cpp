// The shipped levels as the build lays them out (hand-written files over the generated assets): they load
// cleanly, keep the rules the scripts rely on, and name only assets that exist.
#include "c_animator.h"
#include "c_audiosource.h"
#include "c_camera.h"
#include "c_canvas.h"
#include "c_collider.h"
#include "c_image.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_rigidbody.h"
#include "c_transform.h"
#include "material.h"
#include "monobehavior.h"
#include "objectfactory.h"
#include "physicssystem.h"
#include "renderlists.h"
#include "resourcemanager.h"
#include "scriptworld.h"
#include "serializer.h"
#include "startup.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace
{
namespace fs = std::filesystem;

const std::string kAssets = std::string(NEKTARU_ASSETS_DIR) + "/";
const std::vector<std::string> kLevels = {"SplashCalvorn", "MainMenuLevel", "Cutscene0",   "TombLevel1",
                                          "Cutscene1",     "TombLevel2",    "Cutscene2",   "TombBoss",
                                          "Cutscene3",     "CreditsRoll"};
const std::set<std::string> kPlayable = {"TombLevel1", "TombLevel2", "TombBoss"};

// The file stems of a generated or hand-written asset folder.
std::set<std::string> Stems(const std::string& folder)
{
    std::set<std::string> stems;
    for (const std::string& path : ListFolderFiles(kAssets + folder))
        stems.insert(fs::path(path).stem().string());
    return stems;
}

bool HasScript(const GameObject& object, const std::string& name)
{
    const auto* holder = object.GetComponent<MonoBehaviorDLL>();
    return holder && holder->IsAttached(name);
}

// Loaded with the game's script library, as the program loads them: without it the factory drops the scripts.
class ShippedLevels : public ::testing::TestWithParam<std::string>
{
protected:
    ShippedLevels()
    {
        // Cached as the program caches them, so that the images know their textures.
        for (const std::string& path : ListFolderFiles(kAssets + "Materials"))
        {
            XMLReader reader(path);
            reader.Parse();
            Material material;
            material.Deserialize(reader.GetRoot()->children);
            resources.materials.emplace(fs::path(path).stem().string(), material);
        }
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        for (const std::string& prefab : ListFolderFiles(kAssets + "Prefabs"))
            factory.LoadPrefabFile(prefab);
        factory.LoadLevelFile(kAssets + "XML/" + GetParam() + ".xml", true);
        factory.LoadSceneSettings(kAssets + "SceneSettings/" + GetParam() + "Settings.xml");
        testing::internal::GetCapturedStdout();
        errors = testing::internal::GetCapturedStderr();
    }

    GameObject* Find(const std::string& name) { return factory.FindObject(name); }

    ScriptWorld world{GAME_LIBRARY_PATH};
    ResourceManager resources{NEKTARU_ASSETS_ROOT};
    TempFolder scratch;
    ObjectFactory factory{scratch.Folder()};
    std::string errors;
};

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
} // namespace

TEST_P(ShippedLevels, LoadsCleanlyWithItsCameraAndFade)
{
    EXPECT_EQ(errors, "");
    bool camera = false;
    for (const GameObject* object : factory.GetObjects())
        camera = camera || (object->GetComponent<Camera>() && object->GetComponent<Camera>()->IsEnabled());
    EXPECT_TRUE(camera);
    ASSERT_NE(Find("FadeLogic"), nullptr);
    EXPECT_TRUE(HasScript(*Find("FadeLogic"), "FadeInFadeOut"));
    ASSERT_NE(Find("Fade"), nullptr);
    const Image* fade = Find("Fade")->GetComponent<Image>();
    ASSERT_NE(fade, nullptr);
    EXPECT_EQ(fade->GetMaterial().name, "BlackMaterial");
    EXPECT_EQ(fade->GetAlpha(), 1.0f);
}

// The editor's scene view leaves the screen covers out: the plain full-screen veils the scripts lift or show
// (the fade, tints, backdrops), never a picture such as a cut-scene strip.
TEST_P(ShippedLevels, ItsScreenCoversAreItsPlainVeils)
{
    const std::map<std::string, std::vector<std::string>> veils = {
        {"MainMenuLevel", {"CreditsBackground", "Fade"}},
        {"TombLevel1", {"Fade", "Background"}},
        {"TombLevel2", {"Fade", "Background"}},
        {"TombBoss", {"Fade", "Background", "Green Tint"}},
        {"CreditsRoll", {"CreditsRollBackground", "Fade"}},
    };
    std::vector<std::string> covers;
    for (const GameObject* object : factory.GetObjects())
        if (IsScreenCover(*object))
            covers.push_back(object->GetName());
    const auto listed = veils.find(GetParam());
    EXPECT_EQ(covers, listed == veils.end() ? std::vector<std::string>{"Fade"} : listed->second);
}

TEST_P(ShippedLevels, KeepsTheRulesTheScriptsRelyOn)
{
    std::set<std::string> pausedRunners;
    bool cameraSeen = false;
    for (const GameObject* object : factory.GetObjects())
    {
        const std::string& name = object->GetName();
        if (object->GetTag() == "RunWhenPaused")
            pausedRunners.insert(name);
        // Every image hangs straight under a canvas: deeper ones are not drawn.
        if (object->GetComponent<Image>())
        {
            const GameObject* parent = object->GetParent();
            EXPECT_TRUE(parent && parent->GetComponent<Canvas>()) << name;
        }
        // The camera registered last becomes the game camera: shots come first.
        cameraSeen = cameraSeen || name == "Camera";
        if (HasScript(*object, "CutsceneCamera"))
        {
            EXPECT_FALSE(cameraSeen) << name << " comes after Camera";
        }
        const Collider* collider = object->GetComponent<Collider>();
        if (object->GetTag() == "Ground")
        {
            ASSERT_NE(collider, nullptr) << name;
            EXPECT_EQ(collider->GetType(), ColliderType::Box) << name;
            EXPECT_FALSE(collider->IsTrigger()) << name;
            EXPECT_EQ(object->GetComponent<Transform>()->GetRotation(), Vector3()) << name;
        }
        if (collider && collider->IsTrigger())
        {
            const RigidBody* body = object->GetComponent<RigidBody>();
            EXPECT_TRUE(body && body->IsStatic()) << name << ": a trigger volume without a static body";
        }
    }
    const std::set<std::string> expected =
        kPlayable.contains(GetParam()) ? std::set<std::string>{"PauseMenuCanvas", "ConfirmPanel"}
                                       : std::set<std::string>{};
    EXPECT_EQ(pausedRunners, expected);
}

TEST_P(ShippedLevels, NamesOnlyAssetsThatExist)
{
    const std::set<std::string> materials = Stems("Materials");
    std::set<std::string> meshes = Stems("Models/Non-Animated");
    meshes.merge(Stems("Models/Animated"));
    const std::set<std::string> controllers = Stems("AnimationControllers");
    std::set<std::string> sounds = Stems("Audio/BGM");
    sounds.merge(Stems("Audio/SFX"));
    sounds.merge(Stems("Audio/Voiceovers"));
    std::vector<const GameObject*> objects;
    for (const GameObject* object : factory.GetObjects())
        objects.push_back(object);
    for (const GameObject* object : factory.GetPrefabs())
        objects.push_back(object);
    for (const GameObject* object : objects)
    {
        const std::string& name = object->GetName();
        if (const Image* image = object->GetComponent<Image>())
        {
            EXPECT_TRUE(materials.contains(image->GetMaterial().name)) << name << ": " << image->GetMaterial().name;
        }
        if (const MeshRenderer* renderer = object->GetComponent<MeshRenderer>())
        {
            for (const std::string& material : renderer->GetMaterialNames())
                EXPECT_TRUE(materials.contains(material)) << name << ": " << material;
        }
        if (const MeshFilter* filter = object->GetComponent<MeshFilter>())
        {
            EXPECT_TRUE(meshes.contains(filter->GetMeshName())) << name << ": " << filter->GetMeshName();
        }
        if (const Animator* animator = object->GetComponent<Animator>())
        {
            EXPECT_TRUE(controllers.contains(animator->GetControllerName())) << name;
        }
        if (const AudioSource* source = object->GetComponent<AudioSource>())
        {
            EXPECT_TRUE(sounds.contains(source->GetClipName())) << name << ": " << source->GetClipName();
        }
    }
}

// Hand-written files are in the form the editor saves: a level saved straight after loading is the same file.
TEST_P(ShippedLevels, SavesBackByteForByte)
{
    // Without a renderer the scene settings are not written (the splash's are compared in
    // objectfactoryfiles_test).
    testing::internal::CaptureStderr();
    factory.SaveLevel(scratch.Folder() + GetParam() + ".xml");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadText(scratch.Folder() + GetParam() + ".xml"), ReadText(kAssets + "XML/" + GetParam() + ".xml"));
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, ShippedLevels, ::testing::ValuesIn(kLevels));

class PlayableLevels : public ShippedLevels
{
};

// A start with nothing below falls for good before the first input: a ray down from the start meets a solid floor.
TEST_P(PlayableLevels, ThePlayerStartsAboveASolidFloor)
{
    const GameObject* player = Find("Player");
    ASSERT_NE(player, nullptr);
    PhysicsSystem physics(PhysicsClock{[] { return 1.0f / 60.0f; }, [] { return false; }});
    for (GameObject* object : factory.GetObjects())
        if (object != player)
            physics.RegisterObject(object);
    const Vector3 start = player->GetComponent<Transform>()->GetPosition();
    const HitInfo hit = physics.RaycastAll(start, {0.0f, -30.0f, 0.0f}, true);
    ASSERT_NE(hit.object, nullptr) << "nothing under the start";
    const auto* floor = static_cast<const GameObject*>(hit.object);
    const RigidBody* body = floor->GetComponent<RigidBody>();
    EXPECT_TRUE(body && body->IsStatic()) << floor->GetName();
    EXPECT_FALSE(floor->GetComponent<Collider>()->IsTrigger()) << floor->GetName();
}

INSTANTIATE_TEST_SUITE_P(EveryPlayableLevel, PlayableLevels, ::testing::ValuesIn(kPlayable));

TEST(ShippedContent, ObjectIdsAreUniqueAcrossTheWholeTree)
{
    std::set<std::string> ids;
    std::vector<std::string> files = ListFolderFiles(kAssets + "Prefabs");
    for (const std::string& level : kLevels)
        files.push_back(kAssets + "XML/" + level + ".xml");
    for (const std::string& path : files)
    {
        const std::string text = ReadText(path);
        for (std::size_t at = text.find("<ID>"); at != std::string::npos; at = text.find("<ID>", at + 1))
        {
            const std::string id = text.substr(at + 4, text.find("</ID>", at) - at - 4);
            EXPECT_TRUE(ids.insert(id).second) << id << " again in " << path;
        }
    }
}
