#include "c_transform.h"
#include "c_canvas.h"
#include "componentregistry.h"
#include "factoryworld.h"
#include "objecthooks.h"
#include "objectid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
std::uint16_t CounterOf(ObjectId id)
{
    return static_cast<std::uint16_t>(id & 0xFFFF);
}

Transform& TransformOf(const GameObjectInterface& object)
{
    return *FromInterface<Transform>(object.GetTransform());
}

// Destroys another object when it is freed, as a script cleaning up may.
class DestroyOnFree : public Canvas
{
public:
    explicit DestroyOnFree(GameObject* victim) : victim_(victim) {}
    ~DestroyOnFree() override
    {
        if (victim_)
            victim_->Destroy();
    }
    void Serialize(XMLWriter&, const Component*) const override {}
    void Deserialize(const XMLNode&) override {}
    std::string GetName() const override { return "Canvas"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<DestroyOnFree>(nullptr); }
    bool Compare(const Component&) const override { return false; }

private:
    GameObject* victim_;
};

// Notes the owner its lookup gives while its object is being freed.
class OwnerAtFree : public Canvas
{
public:
    explicit OwnerAtFree(GameObject** seen) : seen_(seen) {}
    ~OwnerAtFree() override { *seen_ = GetGameObject(false); }
    void Serialize(XMLWriter&, const Component*) const override {}
    void Deserialize(const XMLNode&) override {}
    std::string GetName() const override { return "Canvas"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<OwnerAtFree>(seen_); }
    bool Compare(const Component&) const override { return false; }

private:
    GameObject** seen_;
};

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

TEST(ObjectId, TheCounterWrapsAfter65536Ids)
{
    const ObjectId first = GenerateObjectId();
    for (int n = 1; n < 65536; ++n)
        GenerateObjectId();
    EXPECT_EQ(CounterOf(GenerateObjectId()), CounterOf(first));
}

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

TEST_F(ObjectFactoryTest, AComponentsOwnerIsFoundAmongLiveAndQueuedObjectsOrAmongPrefabs)
{
    const auto first = [](const GameObject& object) { return object.GetComponents().front().get(); };
    GameObject& prefab = Crate();
    GameObject* live = factory.CreateObject("Crate 1", 77);
    GameObject* clone = factory.CloneObject(live);
    GameObject* queued = factory.CreateObject("Queued", 0);
    factory.DestroyObject(queued);

    Component* parked = live->AddComponent("MonoBehavior");
    live->RemoveComponent(parked);
    Component* unparked = live->AddComponent("MonoBehavior");
    live->RemoveComponent(unparked);
    live->RestoreComponent(unparked);
    Component* prefabParked = prefab.AddComponent("MonoBehavior");
    prefab.RemoveComponent(prefabParked);
    const std::unique_ptr<Component> fresh = ComponentCreators().at("MonoBehavior")();
    const std::unique_ptr<Component> loneClone = first(*live)->Clone();
    const GameObject unheld(*live);

    // The oldest of a full deleted-objects buffer moves on to the destroy queue.
    core.SetEditorMode(true);
    GameObject* overflowed = factory.CreateObject("Overflowed", 0);
    factory.DestroyObject(overflowed);
    for (std::size_t n = 1; n < ObjectFactory::kDeletedObjectsKept; ++n)
        factory.DestroyObject(factory.CreateObject("Filler", 0));
    GameObject* deleted = factory.CreateObject("Deleted", 0);
    factory.DestroyObject(deleted);
    GameObject* undone = factory.CreateObject("Undone", 0);
    factory.DestroyObject(undone);
    factory.RestoreObject(undone);
    ASSERT_THAT(factory.GetDestroyQueue(), testing::Contains(overflowed));

    struct Row
    {
        std::string holder;
        const Component* component;
        const GameObject* owner;
        const GameObject* prefabOwner;
    };
    const Row rows[] = {
        {"live object made from the prefab", first(*live), live, nullptr},
        {"prefab", first(prefab), nullptr, &prefab},
        {"cloned object", first(*clone), clone, nullptr},
        {"destroy queue", first(*queued), queued, nullptr},
        {"deleted-objects buffer", first(*deleted), nullptr, nullptr},
        {"destroy queue after the deleted-objects buffer", first(*overflowed), overflowed, nullptr},
        {"restored object", first(*undone), undone, nullptr},
        {"removed-components buffer", parked, nullptr, nullptr},
        {"prefab's removed-components buffer", prefabParked, nullptr, nullptr},
        {"restored component", unparked, live, nullptr},
        {"fresh component", fresh.get(), nullptr, nullptr},
        {"clone of an owned component", loneClone.get(), nullptr, nullptr},
        {"copy the factory does not hold", first(unheld), nullptr, nullptr},
    };
    for (const Row& row : rows)
    {
        EXPECT_EQ(row.component->GetGameObject(false), row.owner) << row.holder;
        EXPECT_EQ(row.component->GetGameObject(true), row.prefabOwner) << row.holder;
    }

    // An object being freed has left the destroy queue.
    core.SetPlaying(true);
    GameObject* seen = live;
    GameObject* freed = factory.CreateObject("Freed", 0);
    freed->AddComponent("Canvas", std::make_unique<OwnerAtFree>(&seen));
    factory.DestroyObject(freed);
    factory.FlushDestroyed();
    EXPECT_EQ(seen, nullptr);
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

TEST_F(ObjectFactoryTest, DestroyOfAnObjectNoLongerLiveIsReportedAndChangesNothing)
{
    GameObject* door = factory.CreateObject("Door", 0);
    GameObject& crate = Crate();
    factory.Destroy(door);
    Delivered();
    core.Frame();
    ASSERT_TRUE(factory.GetDestroyQueue().empty()) << "the door is freed";

    // Only the address of the freed door may be looked at.
    testing::internal::CaptureStderr();
    factory.Destroy(door);
    factory.Destroy(&crate);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_THAT(errors, HasSubstr("Can't destroy an object that is not live"));
    EXPECT_NE(errors.find("not live"), errors.rfind("not live")) << "each one reported";
    EXPECT_TRUE(HeardNames().empty());
    EXPECT_TRUE(factory.GetDestroyQueue().empty());
    EXPECT_THAT(factory.GetPrefabs(), ElementsAre(&crate));
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
    // Delivered before the flush frees the oldest, as in a frame.
    const std::size_t heard = Delivered().size();
    factory.FlushDestroyed();
    EXPECT_TRUE(factory.GetDestroyQueue().empty());

    GameObject* kept = factory.CreateObject("Kept", 0);
    factory.RestoreObject(made[5]);
    factory.RestoreObject(kept);
    EXPECT_THAT(factory.GetObjects(), ElementsAre(kept, made[5]));
    EXPECT_EQ(factory.GetDeletedObjects().size(), 19u);
    EXPECT_EQ(factory.FindObject("Object 5"), made[5]);
    EXPECT_EQ(heard + Delivered().size(), 21u);

    // Playing in the editor frees destroyed objects as the game does.
    core.SetPlaying(true);
    factory.DestroyObject(kept);
    EXPECT_THAT(factory.GetDestroyQueue(), ElementsAre(kept));
    EXPECT_EQ(factory.GetDeletedObjects().size(), 19u);
}

TEST_F(ObjectFactoryTest, DestroyingAllInTheEditorKeepsTheLastTwentyAndAnnouncesEachInOrder)
{
    core.SetEditorMode(true);
    std::vector<GameObject*> made;
    for (int n = 0; n < 25; ++n)
        made.push_back(factory.CreateObject("Object " + std::to_string(n), 0));
    factory.DestroyAllObjects();
    EXPECT_TRUE(factory.GetObjects().empty());
    EXPECT_EQ(factory.FindObjectById(made[24]->GetID()), nullptr);
    EXPECT_EQ(factory.GetDestroyQueue(), std::vector(made.begin(), made.begin() + 5));
    EXPECT_EQ(factory.GetDeletedObjects(), std::vector(made.begin() + 5, made.end()));
    std::vector<GameObject*> announced;
    for (const HeardMessage& message : Delivered())
        announced.push_back(message.object);
    EXPECT_EQ(announced, made);
}

TEST_F(ObjectFactoryTest, FindByIdGivesTheFirstLiveObjectOfAnIdThroughEveryChange)
{
    core.SetEditorMode(true);
    GameObject* undone = factory.CreateObject("Undone", 0);
    const ObjectId id = undone->GetID();
    factory.DestroyObject(undone);
    EXPECT_EQ(factory.FindObjectById(id), nullptr);

    // A level may bring the id back while the first holder waits in the undo buffer.
    const std::string level =
        WriteText("Assets/XML/Again.xml", "<Objects>\n\t<Object>\n\t\t<Name>Again</Name>\n\t\t<PrefabID>0</PrefabID>\n"
                                          "\t\t<ID>" + std::to_string(id) + "</ID>\n\t\t<ParentID>0</ParentID>\n"
                                          "\t\t<Enabled>true</Enabled>\n\t\t<Components>\n\t\t</Components>\n"
                                          "\t</Object>\n</Objects>\n");
    factory.LoadLevelFile(level, false);
    GameObject* again = factory.FindObject("Again");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetID(), id);
    factory.RestoreObject(undone);
    EXPECT_EQ(factory.FindObjectById(id), again);
    factory.DestroyObject(again);
    EXPECT_EQ(factory.FindObjectById(id), undone);
    factory.DestroyObject(undone);
    EXPECT_EQ(factory.FindObjectById(id), nullptr);
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

TEST_F(ObjectFactoryTest, AnObjectDestroyedWhileTheQueueIsFreedWaitsForTheNextFlush)
{
    std::vector<GameObject*> victims;
    for (int n = 0; n < 4; ++n)
    {
        GameObject* cleaner = factory.CreateObject("Cleaner", 0);
        victims.push_back(factory.CreateObject("Victim", 0));
        cleaner->AddComponent("Canvas", std::make_unique<DestroyOnFree>(victims.back()));
        factory.DestroyObject(cleaner);
    }
    factory.FlushDestroyed();
    EXPECT_TRUE(factory.GetObjects().empty());
    EXPECT_EQ(factory.GetDestroyQueue(), victims);
    factory.FlushDestroyed();
    EXPECT_TRUE(factory.GetDestroyQueue().empty());
}

TEST_F(ObjectFactoryTest, CreatePrefabGivesTheStoredPrefabAndReportsADuplicate)
{
    GameObject& crate = Crate();
    EXPECT_EQ(crate.GetID(), 77u);
    EXPECT_EQ(crate.GetPrefabID(), 0u);
    EXPECT_NE(crate.GetTransform(), nullptr);

    testing::internal::CaptureStderr();
    const ObjectId before = GenerateObjectId();
    GameObject* again = factory.CreatePrefab(77, "Barrel");
    // The refused object drew an id all the same.
    EXPECT_EQ(CounterOf(GenerateObjectId()), static_cast<std::uint16_t>(CounterOf(before) + 2));
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

TEST_F(ObjectFactoryTest, ObjectsTakenOutOneByOneLeaveTheRestInOrderAndFound)
{
    // Enough go that the gaps they leave are closed on the way, more than once.
    std::vector<GameObject*> made;
    for (int i = 0; i < 12; ++i)
        made.push_back(factory.CreateObject(std::string(1, 'N') + std::to_string(i), 0));
    for (const int i : {0, 2, 3, 5, 6, 8, 9})
        factory.DestroyObject(made[i]);
    factory.DestroyObject(made[2]); // already gone: nothing changes
    ASSERT_TRUE(factory.MakePrefab(made[10]));
    GameObject* later = factory.CreateObject("Later", 0);
    factory.DestroyObject(made[1]);
    factory.DestroyObject(made[11]);

    EXPECT_THAT(factory.GetObjects(), ElementsAre(made[4], made[7], later));
    EXPECT_THAT(factory.GetAllObjects(), ElementsAre(made[4], made[7], later));
    for (GameObject* kept : {made[4], made[7], later})
    {
        EXPECT_EQ(factory.FindObjectById(kept->GetID()), kept);
        EXPECT_EQ(factory.FindObject(kept->GetName()), kept);
    }
    for (const int i : {0, 1, 2, 10, 11})
        EXPECT_EQ(factory.FindObjectById(made[i]->GetID()), nullptr) << i;
    EXPECT_EQ(factory.GetDestroyQueue().size(), 9u);
    factory.DestroyObject(made[7]);
    EXPECT_THAT(factory.GetObjects(), ElementsAre(made[4], later));
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
    EXPECT_EQ(TakeHeard().size(), 5u); // "Cloned", at once
    const std::vector<std::string> names = HeardNames();
    EXPECT_EQ(names.front(), "Destroy");
    EXPECT_EQ(std::ranges::count(names, "Register"), 5);
}
