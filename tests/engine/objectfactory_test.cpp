#include "c_transform.h"
#include "factoryworld.h"
#include "objecthooks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
Transform& TransformOf(const GameObjectInterface& object)
{
    return *FromInterface<Transform>(object.GetTransform());
}

class ObjectFactoryTest : public FactoryWorld
{
protected:
    // A prefab "Crate" under id 77 placed at (1, 2, 3).
    GameObject& Crate()
    {
        GameObject& crate = *factory.CreatePrefab(77, "Crate");
        crate.SetTag("Breakable");
        TransformOf(crate).SetPosition({1.0f, 2.0f, 3.0f});
        return crate;
    }
};
} // namespace

TEST_F(ObjectFactoryTest, IsPublishedAndAnswersTheObjectModelWhileItLives)
{
    EXPECT_EQ(gFactory, &factory);
    GameObject& prefab = Crate();
    GameObject* object = factory.CreateObject("Box", 0);
    const Component& transform = *object->GetComponents().front();
    EXPECT_EQ(transform.GetGameObject(false), object);
    EXPECT_EQ(prefab.GetComponents().front()->GetGameObject(true), &prefab);
    EXPECT_EQ(prefab.GetComponents().front()->GetGameObject(false), nullptr);

    // A destroyed object still owns its components until the flush frees it.
    object->Destroy();
    EXPECT_THAT(factory.GetDestroyQueue(), ElementsAre(object));
    EXPECT_EQ(transform.GetGameObject(false), object);
    EXPECT_EQ(GetObjectFactoryHooks().findPrefab(77), &prefab);
    EXPECT_EQ(GetObjectFactoryHooks().findPrefab(78), nullptr);
}

TEST_F(ObjectFactoryTest, CreateObjectMakesAnEmptyObjectWithATransformOrACopyOfThePrefab)
{
    GameObject* empty = factory.CreateObject("Empty", 0);
    ASSERT_EQ(empty->GetComponents().size(), 1u);
    EXPECT_NE(empty->GetTransform(), nullptr);
    EXPECT_EQ(empty->GetPrefabID(), 0u);

    Crate();
    GameObject* crate = factory.CreateObject("Crate 1", 77);
    EXPECT_EQ(crate->GetName(), "Crate 1");
    EXPECT_EQ(crate->GetPrefabID(), 77u);
    EXPECT_EQ(crate->GetTag(), "Breakable");
    EXPECT_EQ(TransformOf(*crate).GetPosition(), Vector3(1.0f, 2.0f, 3.0f));
    EXPECT_NE(crate->GetID(), empty->GetID());
    EXPECT_NE(crate->GetID(), 77u);
    EXPECT_THAT(factory.GetObjects(), ElementsAre(empty, crate));
    // Made, not announced: registration is the caller's.
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(ObjectFactoryTest, InstantiateAnnouncesAsAScriptAndAnUnknownPrefabIsAnnouncedTwice)
{
    Crate();
    GameObject* crate = factory.Instantiate("Crate 1", 77);
    std::vector<HeardMessage> heard = TakeHeard();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].name, "Cloned");
    EXPECT_EQ(heard[0].sender, SystemId::ScriptCalls);
    EXPECT_EQ(heard[0].object, crate);

    GameObject* stray = factory.Instantiate("Stray", 12345);
    EXPECT_EQ(stray->GetComponents().size(), 1u);
    EXPECT_EQ(stray->GetPrefabID(), 0u);
    heard = TakeHeard();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].sender, SystemId::None);
    EXPECT_EQ(heard[1].sender, SystemId::ScriptCalls);
    EXPECT_EQ(heard[0].object, stray);
    EXPECT_EQ(heard[1].object, stray);
}

TEST_F(ObjectFactoryTest, SpawnAndCloneAnnounceAsTheEngine)
{
    Crate();
    GameObject* spawned = factory.SpawnObject("Spawned", 77);
    TransformOf(*spawned).SetPosition({9.0f, 0.0f, 0.0f});
    GameObject* copy = factory.CloneObject(spawned);
    EXPECT_NE(copy->GetID(), spawned->GetID());
    EXPECT_EQ(copy->GetPrefabID(), 77u);
    EXPECT_EQ(TransformOf(*copy).GetPosition(), Vector3(9.0f, 0.0f, 0.0f));
    EXPECT_THAT(factory.GetObjects(), ElementsAre(spawned, copy));
    const std::vector<HeardMessage> heard = TakeHeard();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].object, spawned);
    EXPECT_EQ(heard[1].object, copy);
    EXPECT_EQ(heard[1].sender, SystemId::None);

    testing::internal::CaptureStderr();
    EXPECT_EQ(factory.CloneObject(nullptr), nullptr);
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("Can't clone, object is nullptr"));
}

TEST_F(ObjectFactoryTest, RegisterAndDestroyAreQueuedAndADestroyedObjectIsNoLongerFound)
{
    GameObject* door = factory.CreateObject("Door", 0);
    factory.Register(door);
    factory.Destroy(door);
    door->Destroy();
    EXPECT_EQ(factory.FindObject("Door"), nullptr);
    EXPECT_EQ(factory.FindObjectById(door->GetID()), nullptr);
    EXPECT_TRUE(factory.GetObjects().empty());
    // Queued twice, retired once.
    EXPECT_THAT(factory.GetDestroyQueue(), ElementsAre(door));
    const std::vector<HeardMessage> heard = Delivered();
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].name, "Register");
    EXPECT_EQ(heard[1].name, "Destroy");
    EXPECT_EQ(heard[2].name, "Destroy");
    EXPECT_EQ(heard[2].object, door);

    core.Frame();
    EXPECT_TRUE(factory.GetDestroyQueue().empty());
}

TEST_F(ObjectFactoryTest, NullObjectsAreReportedAndStillAnnounced)
{
    testing::internal::CaptureStderr();
    factory.Destroy(nullptr);
    factory.Register(nullptr);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_THAT(errors, HasSubstr("Can't destroy nullptr"));
    EXPECT_THAT(errors, HasSubstr("Can't destroy, object don't exist"));
    EXPECT_THAT(errors, HasSubstr("Can't register, object is nullptr"));
    testing::internal::CaptureStderr();
    EXPECT_THAT(HeardNames(), ElementsAre("Destroy", "Register"));
    testing::internal::GetCapturedStderr();
}

TEST_F(ObjectFactoryTest, TheEditorKeepsTheLastTwentyDeletedObjectsForUndo)
{
    core.SetEditorMode(true);
    std::vector<GameObject*> made;
    for (int n = 0; n < 21; ++n)
        made.push_back(factory.CreateObject("Object " + std::to_string(n), 0));
    for (GameObject* object : made)
        factory.DestroyObject(object);
    EXPECT_THAT(factory.GetDestroyQueue(), ElementsAre(made[0]));
    ASSERT_EQ(factory.GetDeletedObjects().size(), 20u);
    EXPECT_EQ(factory.GetDeletedObjects().front(), made[1]);
    factory.FlushDestroyed();
    EXPECT_TRUE(factory.GetDestroyQueue().empty());

    GameObject* kept = factory.CreateObject("Kept", 0);
    factory.RestoreObject(made[5]);
    factory.RestoreObject(kept);
    EXPECT_THAT(factory.GetObjects(), ElementsAre(kept, made[5]));
    EXPECT_EQ(factory.GetDeletedObjects().size(), 19u);
    EXPECT_EQ(factory.FindObject("Object 5"), made[5]);
    EXPECT_EQ(Delivered().size(), 21u);

    // Playing in the editor frees destroyed objects as the game does.
    core.SetPlaying(true);
    factory.DestroyObject(kept);
    EXPECT_THAT(factory.GetDestroyQueue(), ElementsAre(kept));
    EXPECT_EQ(factory.GetDeletedObjects().size(), 19u);
}

TEST_F(ObjectFactoryTest, FreeingAParentLeavesItsLiveChildWithoutALink)
{
    GameObject* parent = factory.CreateObject("Parent", 0);
    GameObject* child = factory.CreateObject("Child", 0);
    parent->AddChild(child);
    factory.DestroyObject(parent);
    factory.FlushDestroyed();
    EXPECT_EQ(child->GetParent(), nullptr);
}

TEST_F(ObjectFactoryTest, CreatePrefabGivesTheStoredPrefabAndReportsADuplicate)
{
    GameObject& crate = Crate();
    EXPECT_EQ(crate.GetID(), 77u);
    EXPECT_EQ(crate.GetPrefabID(), 0u);
    EXPECT_NE(crate.GetTransform(), nullptr);

    testing::internal::CaptureStderr();
    GameObject* again = factory.CreatePrefab(77, "Barrel");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_THAT(errors, HasSubstr("Prefab \"Barrel\" (77) not created - duplicate"));
    EXPECT_THAT(errors, HasSubstr("Prefab \"Barrel\" (77) not created - unknown"));
    EXPECT_EQ(again, &crate);
    EXPECT_EQ(crate.GetName(), "Barrel");
    EXPECT_EQ(TransformOf(crate).GetPosition(), Vector3(1.0f, 2.0f, 3.0f));
}

TEST_F(ObjectFactoryTest, FindsSeeLiveObjectsInOrderAndPrefabsInIdOrder)
{
    GameObject* second = factory.CreatePrefab(20, "Twin");
    GameObject* first = factory.CreatePrefab(10, "Twin");
    EXPECT_EQ(factory.FindPrefab("Twin"), first);
    EXPECT_THAT(factory.GetPrefabs(), ElementsAre(first, second));
    EXPECT_EQ(factory.FindObject("Twin"), nullptr);

    GameObject* a = factory.CreateObject("Same", 0);
    GameObject* b = factory.CreateObject("Same", 0);
    EXPECT_EQ(factory.FindObject("Same"), a);
    EXPECT_EQ(factory.FindObjectById(b->GetID()), b);
    EXPECT_EQ(factory.FindObjectById(0), nullptr);
    EXPECT_THAT(factory.GetAllObjects(), ElementsAre(a, b));
    // No object holds scripts yet.
    EXPECT_TRUE(factory.GetObjectsWithScript("").empty());
}

TEST_F(ObjectFactoryTest, LoadLevelReplacesTheLiveObjectsAndNamesTheLevel)
{
    CopyFixtures();
    LoadPrefabs(Root() + "Assets/Prefabs/");
    Delivered();
    GameObject* old = factory.CreateObject("Old", 0);
    factory.LoadLevel("Tomb");
    EXPECT_EQ(factory.GetLevelName(), "Tomb");
    EXPECT_EQ(factory.FindObject("Old"), nullptr);
    // Freed only at the next flush, so the handlers of this frame can still reach it.
    EXPECT_THAT(factory.GetDestroyQueue(), ElementsAre(old));
    EXPECT_EQ(factory.GetObjects().size(), 5u);
    EXPECT_EQ(graphics().GetSkyboxName(), "Desert");
    EXPECT_EQ(graphics().SkyboxLoads(), 1);
    EXPECT_EQ(TakeHeard().size(), 5u); // "Cloned", at once
    const std::vector<std::string> names = HeardNames();
    EXPECT_EQ(names.front(), "Destroy");
    EXPECT_EQ(std::ranges::count(names, "Register"), 5);
}
