// An object's life followed by every system at once: made, registered, switched, stripped, destroyed and
// freed through the real message queue, factory and frame. A system left holding a freed object reads it
// in the next frame, which the sanitizer reports; the lists are checked as well to name the system.
#include "c_audiolistener.h"
#include "c_camera.h"
#include "c_rigidbody.h"
#include "monobehavior.h"
#include "scriptworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using ::testing::Contains;
using ::testing::IsEmpty;

namespace
{
constexpr ObjectId kPrefabId = 900;

class ObjectLifecycle : public ScriptedEngine
{
protected:
    ObjectLifecycle()
    {
        // Something every system takes in: scripts, a body, sound, a waypoint, a light, a camera and drawing.
        GameObject* prefab = factory.CreatePrefab(kPrefabId, "Everything");
        for (const char* component : {"RigidBody", "AABBCollider", "AudioSource", "AudioListener", "Waypoint",
                                      "PointLight", "Camera", "MeshRenderer", "ParticleSystem"})
            prefab->AddComponent(component);
        auto* holder = dynamic_cast<MonoBehaviorDLL*>(prefab->AddComponent("MonoBehavior"));
        holder->SetScript("Alpha", core.GetLogic()->FindScript("Alpha"));
    }

    // Made by the engine from the prefab: announced at once, registered at the next delivery.
    GameObject* Spawn(const std::string& name)
    {
        GameObject* object = factory.SpawnObject(name, kPrefabId);
        factory.RegisterObject(object);
        return object;
    }

    // The systems whose lists still name the object; compares addresses only, so it may ask after a freeing.
    std::vector<std::string> Holders(const GameObject* object) const
    {
        std::vector<std::string> holders;
        const Graphics& graphics = *core.GetGraphics();
        for (const ObjectLists* lists :
             {&graphics.opaqueRenderables, &graphics.transparentRenderables, &graphics.pointLights,
              &graphics.directionalLights, &graphics.cameras, &graphics.colliders, &graphics.canvases,
              &graphics.canvasRenderers, &graphics.particleSystems})
            if (lists->active.Contains(object) || lists->disabled.Contains(object))
                holders.push_back("Graphics");
        const PhysicsSystem& physics = *core.GetPhysics();
        if (physics.SimulatedObjects().Contains(object) || physics.DisabledObjects().Contains(object))
            holders.push_back("Physics");
        if (core.GetAI()->GetWaypointObjects().Contains(object))
            holders.push_back("AI");
        return holders;
    }
};
} // namespace

TEST_F(ObjectLifecycle, AnObjectDestroyedBeforeItsFirstFrameIsHeldByNoSystem)
{
    struct Case
    {
        const char* sequence;
        std::function<GameObject*()> run;
    };
    const Case cases[] = {
        {"registered then destroyed in one frame",
         [this] {
             GameObject* object = Spawn("Brief");
             factory.DestroyObject(object);
             return object;
         }},
        // As a script woken while the level loads destroys an object whose "Register" is not sent yet.
        {"destroyed before its Register was sent",
         [this] {
             GameObject* object = factory.SpawnObject("Brief", kPrefabId);
             factory.DestroyObject(object);
             factory.RegisterObject(object);
             return object;
         }},
        {"instantiated by a script, destroyed, then registered",
         [this] {
             GameObject* object = factory.Instantiate("Brief", kPrefabId);
             factory.DestroyObject(object);
             factory.Register(object);
             return object;
         }},
        {"a clone of a live object, destroyed before its Register",
         [this] {
             GameObject* original = Spawn("Original");
             Frames(1);
             GameObject* object = factory.CloneObject(original);
             factory.DestroyObject(object);
             factory.RegisterObject(object);
             return object;
         }},
        {"given a script after it was destroyed",
         [this] {
             GameObject* object = Spawn("Brief");
             factory.DestroyObject(object);
             object->GetComponent<MonoBehaviorDLL>()->RegisterScript("Beta");
             return object;
         }},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.sequence);
        const GameObject* gone = test.run();
        Frames();
        EXPECT_THAT(Holders(gone), IsEmpty());
        EXPECT_THAT(factory.GetDestroyQueue(), IsEmpty());
        factory.DestroyAllObjects();
        Frames();
    }
}

TEST_F(ObjectLifecycle, AnObjectDestroyedWhileSwitchedOffLeavesTheDisabledLists)
{
    for (const bool wholeObject : {true, false})
    {
        SCOPED_TRACE(wholeObject ? "object inactive" : "components disabled");
        GameObject* object = Spawn("Resting");
        Frames(1);
        if (wholeObject)
            object->SetActive(false);
        else
            for (const auto& component : object->GetComponents())
                component->SetEnabledAndNotify(false);
        Frames(1);
        ASSERT_TRUE(core.GetPhysics()->DisabledObjects().Contains(object));
        factory.DestroyObject(object);
        Frames();
        EXPECT_THAT(Holders(object), IsEmpty());
    }
}

TEST_F(ObjectLifecycle, AnObjectDestroyedAfterLosingComponentsLeavesNoPointerToThemOrIt)
{
    GameObject* object = Spawn("Stripped");
    Frames(1);
    ASSERT_EQ(core.GetGraphics()->GetGameCamera(), object->GetCamera());
    const TransformInterface* transform = object->GetTransform();
    const CameraInterface* camera = object->GetCamera();
    // Parked, not freed: the systems were not told of every one.
    object->RemoveComponent(object->GetComponent<Camera>());
    for (const char* name : {"PointLight", "Waypoint", "AudioSource", "AudioListener", "RigidBody", "MonoBehavior"})
        ASSERT_NE(object->RemoveComponentByName(name), nullptr) << name;
    Frames(1);
    factory.DestroyObject(object);
    Frames();
    EXPECT_THAT(Holders(object), IsEmpty());
    EXPECT_NE(core.GetGraphics()->GetGameCamera(), camera);
    EXPECT_NE(core.GetGraphics()->GetGameCameraTransform(), transform);
}

TEST_F(ObjectLifecycle, AnUndoneDeletionTakesTheObjectBackAndItsLaterFreeingLeavesNothingBehind)
{
    core.SetEditorMode(true);
    GameObject* object = Spawn("Undone");
    messaging.Update();
    Component* light = object->RemoveComponentByName("PointLight");
    factory.DestroyObject(object);
    messaging.Update();
    ASSERT_THAT(factory.GetDeletedObjects(), Contains(object));
    EXPECT_THAT(Holders(object), IsEmpty());

    factory.RestoreObject(object);
    factory.RegisterObject(object);
    messaging.Update();
    object->RestoreComponent(light);
    EXPECT_TRUE(core.GetPhysics()->SimulatedObjects().Contains(object));

    // The oldest of a full deleted-objects buffer is freed at the next flush.
    factory.DestroyObject(object);
    for (std::size_t more = 0; more < ObjectFactory::kDeletedObjectsKept; ++more)
        factory.DestroyObject(Spawn("Filler"));
    ASSERT_THAT(factory.GetDestroyQueue(), Contains(object));
    core.SetEditorMode(false);
    Frames();
    EXPECT_THAT(Holders(object), IsEmpty());
}

TEST_F(ObjectLifecycle, ALevelChangeWithMessagesAboutOldObjectsStillQueuedKeepsOnlyTheNewOnes)
{
    GameObject* delivered = Spawn("Delivered");
    Frames(1);
    GameObject* waiting = Spawn("Waiting");
    delivered->SetActive(false);
    delivered->GetComponent<RigidBody>()->SetEnabledAndNotify(false);
    const std::filesystem::path level = std::filesystem::path(factory.GetRootFolder()) / "Assets/XML/Next.xml";
    std::filesystem::create_directories(level.parent_path());
    std::ofstream(level) << "<Objects>\n\t<Object>\n\t\t<Name>Next</Name>\n\t\t<PrefabID>900</PrefabID>\n"
                            "\t\t<ID>5001</ID>\n\t\t<ParentID>0</ParentID>\n\t</Object>\n</Objects>\n";
    testing::internal::CaptureStdout();
    factory.LoadLevel("Next"); // no scene settings: reported
    testing::internal::GetCapturedStdout();
    // A script switching an object of the old level on after asking for the new one.
    delivered->SetActive(true);
    GameObject* next = factory.FindObject("Next");
    ASSERT_NE(next, nullptr);
    Frames();
    EXPECT_THAT(Holders(delivered), IsEmpty());
    EXPECT_THAT(Holders(waiting), IsEmpty());
    EXPECT_TRUE(core.GetPhysics()->SimulatedObjects().Contains(next));
    EXPECT_TRUE(core.GetAI()->GetWaypointObjects().Contains(next));
}

TEST_F(ObjectLifecycle, AComponentPushedOutOfTheRemovedBufferIsReadByNoSystem)
{
    GameObject* object = Spawn("Edited");
    Frames(1);
    ASSERT_EQ(core.GetGraphics()->GetGameCamera(), object->GetCamera());
    object->RemoveComponent(object->GetComponent<Camera>());
    EXPECT_EQ(core.GetGraphics()->GetGameCamera(), nullptr);
    object->RemoveComponent(object->GetComponent<AudioListener>());
    for (std::size_t more = 0; more < GameObject::kRemovedComponentsKept; ++more)
        object->RemoveComponent(object->AddComponent("DirectionalLight"));
    Frames();
    EXPECT_TRUE(core.GetPhysics()->SimulatedObjects().Contains(object));
}

TEST_F(ObjectLifecycle, ComponentsReadSwitchedOffTellNobodyBeforeTheirObjectIsLive)
{
    const std::filesystem::path folder = std::filesystem::path(factory.GetRootFolder()) / "Assets";
    std::filesystem::create_directories(folder / "XML");
    std::filesystem::create_directories(folder / "Prefabs");
    const std::string object = "\t<Object>\n\t\t<Name>Dim</Name>\n\t\t<PrefabID>0</PrefabID>\n\t\t<ID>5002</ID>\n"
                               "\t\t<ParentID>0</ParentID>\n\t\t<Components>\n"
                               "\t\t\t<Transform>\n\t\t\t\t<Enabled>false</Enabled>\n\t\t\t</Transform>\n"
                               "\t\t\t<MeshFilter>\n\t\t\t\t<Mesh>Cube</Mesh>\n\t\t\t</MeshFilter>\n"
                               "\t\t\t<MeshRenderer>\n\t\t\t\t<Enabled>false</Enabled>\n\t\t\t</MeshRenderer>\n"
                               "\t\t</Components>\n\t</Object>\n";
    std::ofstream(folder / "XML/Dim.xml") << "<Objects>\n" << object << "</Objects>\n";
    std::ofstream(folder / "Prefabs/Dim_5002_Prefab.xml") << "<Prefabs>\n" << object << "</Prefabs>\n";
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    factory.LoadPrefabFile((folder / "Prefabs/Dim_5002_Prefab.xml").string());
    factory.LoadLevel("Dim"); // no scene settings: reported
    Frames(1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("ASSERT"), std::string::npos);
    const GameObject* dim = factory.FindObject("Dim");
    ASSERT_NE(dim, nullptr);
    EXPECT_TRUE(core.GetGraphics()->opaqueRenderables.disabled.Contains(dim));
    EXPECT_FALSE(core.GetGraphics()->opaqueRenderables.active.Contains(dim));
}
