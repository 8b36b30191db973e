#include "c_transform.h"
#include "componentregistry.h"
#include "gameobject.h"
#include "objectid.h"
#include "objectworld.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
// A component of a chosen kind; Variant tells classes of one kind apart. Counts deletions when asked to.
template <CompEnum Kind, int Variant = 0>
class Probe : public Component
{
public:
    explicit Probe(int* deletions = nullptr) : Component(Kind), deletions_(deletions) {}
    Probe(const Probe& source) : Component(source), deletions_(nullptr) {}
    ~Probe() override
    {
        if (deletions_)
            ++*deletions_;
    }
    void Serialize(XMLWriter&, const Component*) const override {}
    void Deserialize(const XMLNode&) override {}
    std::string GetName() const override { return "Probe"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<Probe>(*this); }
    bool Compare(const Component& other) const override { return dynamic_cast<const Probe*>(&other); }

private:
    int* deletions_;
};

using BoxProbe = Probe<CompEnum::Collider, 0>;
using SphereProbe = Probe<CompEnum::Collider, 1>;
using DirectionalProbe = Probe<CompEnum::Light, 0>;
using PointProbe = Probe<CompEnum::Light, 1>;
using CameraProbe = Probe<CompEnum::Camera>;

Transform& TransformOf(GameObject& object)
{
    return *object.GetComponent<Transform>();
}
} // namespace

TEST(GameObject, AddComponentKeepsOneOfEachClassOneColliderAndOneLight)
{
    GameObject object("Crate", 1);
    Component* box = object.AddComponent("AABBCollider", std::make_unique<BoxProbe>());
    Component* light = object.AddComponent("DirectionalLight", std::make_unique<DirectionalProbe>());
    Component* camera = object.AddComponent("Camera", std::make_unique<CameraProbe>());
    Component* transform = object.AddComponent("Transform");
    ASSERT_EQ(object.GetComponents().size(), 4u);

    EXPECT_EQ(object.AddComponent("SphereCollider", std::make_unique<SphereProbe>()), box);
    EXPECT_EQ(object.AddComponent("PointLight", std::make_unique<PointProbe>()), light);
    EXPECT_EQ(object.AddComponent("Camera", std::make_unique<CameraProbe>()), camera);
    EXPECT_EQ(object.AddComponent("Transform"), transform);
    EXPECT_EQ(object.GetComponents().size(), 4u);
    EXPECT_EQ(object.GetComponents().back().get(), transform);
}

TEST(GameObject, AddComponentOfAnUnregisteredNameAddsNothing)
{
    GameObject object("Crate", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(object.AddComponent("BoxCollider"), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Component Not Mapped : BoxCollider"), std::string::npos);
    EXPECT_TRUE(object.GetComponents().empty());
    EXPECT_FALSE(ComponentCreators().contains("MonoBehaviorDLL"));
}

TEST(GameObject, GettersFindComponentsThroughTheirInterfaces)
{
    GameObject object("Crate", 1);
    EXPECT_EQ(object.GetTransform(), nullptr);
    object.EnsureTransform();
    object.EnsureTransform();
    ASSERT_EQ(object.GetComponents().size(), 1u);
    EXPECT_EQ(object.GetTransform(), object.GetComponent<Transform>());
    EXPECT_EQ(FromInterface<Transform>(object.GetTransform()), object.GetComponents()[0].get());
    EXPECT_EQ(object.GetComponent<Component>(), object.GetComponents()[0].get());
    EXPECT_EQ(object.GetCollider(), nullptr);
    EXPECT_EQ(object.GetMonoBehavior(), nullptr);
    EXPECT_EQ(object.GetScript("Player"), nullptr);
    EXPECT_EQ(object.GetParticleSystem(), nullptr);
}

TEST(GameObject, RemovedComponentsWaitForUndoUpToTwenty)
{
    GameObject object("Crate", 1);
    int deletions = 0;
    std::vector<Component*> removed;
    for (int i = 0; i < 21; ++i)
    {
        Component* camera = object.AddComponent("Camera", std::make_unique<CameraProbe>(&deletions));
        object.RemoveComponent(camera);
        removed.push_back(camera);
    }
    EXPECT_EQ(deletions, 1);
    ASSERT_EQ(object.GetRemovedComponents().size(), GameObject::kRemovedComponentsKept);
    EXPECT_EQ(object.GetRemovedComponents().front().get(), removed[1]);
    EXPECT_TRUE(object.GetComponents().empty());

    object.EnsureTransform();
    object.RestoreComponent(removed[10]);
    ASSERT_EQ(object.GetComponents().size(), 2u);
    EXPECT_EQ(object.GetComponents().back().get(), removed[10]);
    EXPECT_EQ(object.GetRemovedComponents().size(), 19u);
    object.RestoreComponent(removed[10]); // no longer parked: nothing happens
    EXPECT_EQ(object.GetComponents().size(), 2u);
}

TEST(GameObject, RemovingByNameParksTheFirstOfThatKind)
{
    GameObject object("Crate", 1);
    object.AddComponent("AABBCollider", std::make_unique<BoxProbe>());
    Component* transform = object.AddComponent("Transform");
    EXPECT_EQ(object.RemoveComponentByName("Transform"), transform);
    EXPECT_EQ(object.RemoveComponentByName("Transform"), nullptr);
    EXPECT_EQ(object.RemoveComponentByName("Nothing"), nullptr);
    EXPECT_EQ(object.GetComponents().size(), 1u);
    EXPECT_EQ(object.GetRemovedComponents().back().get(), transform);
}

TEST(GameObject, SetActiveAnnouncesOnlyChanges)
{
    PostedMessages posted;
    GameObject object("Door", 1);
    object.SetActive(true);
    object.SetActive(false);
    object.SetActive(false);
    object.SetActive(true);
    EXPECT_TRUE(object.IsActive());
    const auto messages = posted.Take<GameObject*>();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], std::make_pair(std::string("Disable"), &object));
    EXPECT_EQ(messages[1], std::make_pair(std::string("Enable"), &object));
}

TEST(GameObject, ComponentsKnowTheirOwnerThroughTheFactory)
{
    PostedMessages posted;
    auto loose = std::make_unique<Transform>();
    EXPECT_EQ(loose->GetGameObject(false), nullptr); // no factory at all
    {
        ObjectWorld world;
        GameObject& live = world.Live("Lamp", 3);
        GameObject& prefab = world.Prefab("LampPrefab", 4);
        Component* lamp = live.AddComponent("Transform");
        Component* template_ = prefab.AddComponent("Transform");
        EXPECT_EQ(lamp->GetGameObject(false), &live);
        EXPECT_EQ(static_cast<Transform*>(lamp)->GetGameObject(), &live);
        EXPECT_EQ(template_->GetGameObject(true), &prefab);
        EXPECT_EQ(template_->GetGameObject(false), nullptr);
        EXPECT_EQ(loose->GetGameObject(false), nullptr);

        // A component in the removed buffer has no owner.
        live.RemoveComponent(lamp);
        EXPECT_EQ(lamp->GetGameObject(false), nullptr);

        // Switching a component on and off goes through the component base, with its owner.
        CameraProbe* camera = static_cast<CameraProbe*>(live.AddComponent("Camera", std::make_unique<CameraProbe>()));
        camera->SetEnabled(true);
        camera->SetEnabled(false);
        camera->SetEnabled(true);
        const auto messages = posted.Take<std::pair<CompEnum, GameObject*>>();
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].first, "DisableComponent");
        EXPECT_EQ(messages[1].first, "EnableComponent");
        EXPECT_EQ(messages[1].second, std::make_pair(CompEnum::Camera, &live));

        live.Destroy();
        EXPECT_EQ(world.destroyed, std::vector<GameObject*>{&live});
    }
}

TEST(GameObject, CopiesCloneTheComponentsUnderAFreshId)
{
    GameObject source("Torch", 100);
    source.SetTag("Fire");
    source.SetParentID(55);
    source.SetMoveable(false);
    source.SetActive(false);
    source.AddComponent("Transform");
    TransformOf(source).SetPosition({1, 2, 3});
    source.RemoveComponent(source.AddComponent("Camera", std::make_unique<CameraProbe>()));
    GameObject child("Flame", 101);
    source.AddChild(&child);

    const GameObject copy(source);
    EXPECT_NE(copy.GetID(), source.GetID());
    EXPECT_NE(copy.GetID(), 0u);
    EXPECT_EQ(copy.GetName(), "Torch");
    EXPECT_EQ(copy.GetTag(), "Fire");
    EXPECT_EQ(copy.GetPrefabID(), 0u);
    EXPECT_EQ(copy.GetParentID(), 55u);
    EXPECT_FALSE(copy.IsActive());
    EXPECT_TRUE(copy.IsMoveable());
    EXPECT_TRUE(copy.GetRemovedComponents().empty());
    EXPECT_TRUE(copy.GetChildren().empty());
    EXPECT_EQ(copy.GetParent(), nullptr);
    ASSERT_EQ(copy.GetComponents().size(), 1u);
    EXPECT_NE(copy.GetComponents()[0].get(), source.GetComponents()[0].get());
    EXPECT_TRUE(copy.GetComponents()[0]->Compare(*source.GetComponents()[0]));

    const GameObject instance(source, "Torch (1)", 777);
    EXPECT_EQ(instance.GetName(), "Torch (1)");
    EXPECT_EQ(instance.GetID(), 777u);
    EXPECT_EQ(instance.GetPrefabID(), 100u);
}

TEST(GameObject, IdsOfOneSecondDifferInTheirCounter)
{
    const ObjectId first = GenerateObjectId();
    const ObjectId second = GenerateObjectId();
    EXPECT_EQ((second & 0xFFFF) - (first & 0xFFFF), 1u);
    EXPECT_NE(first, 0u);
}

TEST(GameObject, HierarchyLinksOneParentAndFindsDescendants)
{
    GameObject root("Root", 1);
    GameObject middle("Middle", 2);
    GameObject leaf("Leaf", 3);
    GameObject stranger("Stranger", 4);
    root.AddChild(&middle);
    middle.AddChild(&leaf);
    EXPECT_EQ(leaf.GetParent(), &middle);
    EXPECT_EQ(leaf.GetParentID(), 2u);
    EXPECT_TRUE(root.IsDescendant(&leaf));
    EXPECT_FALSE(middle.IsDescendant(&root));
    EXPECT_FALSE(root.IsDescendant(&stranger));
    EXPECT_FALSE(leaf.IsDescendant(&root));

    testing::internal::CaptureStderr();
    leaf.AddChild(&root);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("ASSERT"), std::string::npos);
    EXPECT_EQ(root.GetParent(), nullptr);

    stranger.AddChild(&leaf); // moves: the old parent lets go
    EXPECT_TRUE(middle.GetChildren().empty());
    EXPECT_EQ(stranger.GetChildren(), std::vector<GameObject*>{&leaf});
    EXPECT_EQ(leaf.GetParentID(), 4u);

    leaf.DetachFromParent();
    EXPECT_EQ(leaf.GetParent(), nullptr);
    EXPECT_EQ(leaf.GetParentID(), 0u);
    EXPECT_TRUE(stranger.GetChildren().empty());

    root.RemoveChild(&middle);
    EXPECT_TRUE(root.GetChildren().empty());
    EXPECT_EQ(middle.GetParent(), nullptr);
    EXPECT_EQ(middle.GetParentID(), 0u);
    root.AddChild(&middle);
    EXPECT_EQ(root.GetChildren(), std::vector<GameObject*>{&middle});
}

TEST(GameObject, AFreedObjectLeavesNoLinkBehind)
{
    GameObject parent("Parent", 1);
    auto child = std::make_unique<GameObject>("Child", 2);
    auto grandchild = std::make_unique<GameObject>("Grandchild", 3);
    parent.AddChild(child.get());
    child->AddChild(grandchild.get());
    child.reset();
    EXPECT_TRUE(parent.GetChildren().empty());
    EXPECT_EQ(grandchild->GetParent(), nullptr);
}

TEST(GameObject, ObjectsFreedTogetherLeaveNoLinkBehind)
{
    GameObject parent("Parent", 1);
    auto going = std::make_unique<GameObject>("Going", 2);
    GameObject staying("Staying", 3);
    auto alsoGoing = std::make_unique<GameObject>("Also going", 4);
    auto goingChild = std::make_unique<GameObject>("Going child", 5);
    GameObject orphan("Orphan", 6);
    for (GameObject* child : {going.get(), &staying, alsoGoing.get()})
        parent.AddChild(child);
    going->AddChild(goingChild.get());
    going->AddChild(&orphan);

    GameObject::UnlinkForFreeing(std::vector<GameObject*>{goingChild.get(), alsoGoing.get(), going.get()});
    goingChild.reset();
    going.reset();
    alsoGoing.reset();
    EXPECT_EQ(parent.GetChildren(), std::vector<GameObject*>{&staying});
    EXPECT_EQ(staying.GetParent(), &parent);
    EXPECT_EQ(orphan.GetParent(), nullptr);
}

TEST(GameObject, RemovingAChildUnlinksEveryChildOfItsId)
{
    // Two children with one id come only from a damaged file; neither may keep a link to a list it left.
    GameObject parent("Parent", 1);
    GameObject first("First", 2);
    GameObject twin("Twin", 3);
    parent.AddChild(&first);
    parent.AddChild(&twin);
    twin.SetID(2);

    parent.RemoveChild(&first);
    EXPECT_TRUE(parent.GetChildren().empty());
    EXPECT_EQ(first.GetParent(), nullptr);
    EXPECT_EQ(twin.GetParent(), nullptr);
    EXPECT_EQ(twin.GetParentID(), 0u);
}

class GameObjectFiles : public ::testing::Test
{
protected:
    std::string Saved(const GameObject& object)
    {
        return xml.Written([&](XMLWriter& writer) { object.Serialize(writer, "Object"); });
    }

    XmlText xml;
    ObjectWorld world;
};

TEST_F(GameObjectFiles, SavesEveryComponentWholeWithoutAPrefab)
{
    GameObject& object = world.Live("Torch", 42);
    object.SetTag("Fire");
    object.AddComponent("Transform");
    TransformOf(object).SetPosition({1, 2, 3});
    EXPECT_EQ(Saved(object), "<Object>\n"
                             "\t<Name>Torch</Name>\n"
                             "\t<PrefabID>0</PrefabID>\n"
                             "\t<ID>42</ID>\n"
                             "\t<ParentID>0</ParentID>\n"
                             "\t<Tag>Fire</Tag>\n"
                             "\t<Enabled>true</Enabled>\n"
                             "\t<Components>\n"
                             "\t\t<Transform>\n"
                             "\t\t\t<Enabled>true</Enabled>\n"
                             "\t\t\t<Position>1, 2, 3</Position>\n"
                             "\t\t\t<Rotation>0, 0, 0</Rotation>\n"
                             "\t\t\t<Scale>1, 1, 1</Scale>\n"
                             "\t\t</Transform>\n"
                             "\t</Components>\n"
                             "</Object>\n");
}

TEST_F(GameObjectFiles, SavesOnlyWhatDiffersFromItsPrefab)
{
    GameObject& prefab = world.Prefab("Torch", 9000);
    prefab.AddComponent("Transform");
    TransformOf(prefab).SetScale({2, 2, 2});
    GameObject& instance = world.Live(std::make_unique<GameObject>(prefab, "Torch", 43));

    const std::string unchanged = Saved(instance);
    EXPECT_NE(unchanged.find("\t<PrefabID>9000</PrefabID>\n"), std::string::npos);
    EXPECT_NE(unchanged.find("\t<Components>\n\t</Components>\n"), std::string::npos);

    TransformOf(instance).SetPosition({0, 1, 0});
    EXPECT_NE(Saved(instance).find("\t<Components>\n"
                                   "\t\t<Transform>\n"
                                   "\t\t\t<Position>0, 1, 0</Position>\n"
                                   "\t\t</Transform>\n"
                                   "\t</Components>\n"),
              std::string::npos);

    // A prefab that is not loaded: everything is written, nothing lost.
    world.prefabs.clear();
    EXPECT_NE(Saved(instance).find("\t\t\t<Scale>2, 2, 2</Scale>\n"), std::string::npos);
}

TEST_F(GameObjectFiles, LoadsComponentsIntoTheOnesItHas)
{
    GameObject& object = world.Live("Torch", 42);
    object.AddComponent("Transform");
    const auto reader = xml.Parsed("<Components>\n"
                                   "\t<Transform>\n"
                                   "\t\t<Rotation>0, 90, 0</Rotation>\n"
                                   "\t\t<Position>4, 5, 6</Position>\n"
                                   "\t</Transform>\n"
                                   "\t<Sparkle>\n"
                                   "\t\t<Rate>3</Rate>\n"
                                   "\t</Sparkle>\n"
                                   "\t<Transform>\n"
                                   "\t\t<Scale>3, 3, 3</Scale>\n"
                                   "\t</Transform>\n"
                                   "</Components>\n");
    testing::internal::CaptureStderr();
    object.DeserializeComponents(*reader->GetRoot());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Component Not Mapped : Sparkle"), std::string::npos);
    ASSERT_EQ(object.GetComponents().size(), 1u);
    const Transform& transform = TransformOf(object);
    EXPECT_EQ(transform.GetPosition(), Vector3(4, 5, 6));
    EXPECT_EQ(transform.GetScale(), Vector3(3, 3, 3));
    EXPECT_NEAR(transform.GetForward().x, 1.0f, 1e-6f); // rebuilt after loading

    // Without a transform the element is skipped.
    GameObject bare("Bare", 1);
    bare.DeserializeComponents(*reader->GetRoot());
    EXPECT_TRUE(bare.GetComponents().empty());
}

TEST(ComponentCreators, EachNameMakesAComponentSavedUnderThatName)
{
    ASSERT_TRUE(ComponentCreators().contains("Transform"));
    for (const auto& [name, create] : ComponentCreators())
    {
        const std::unique_ptr<Component> created = create();
        ASSERT_NE(created, nullptr) << name;
        EXPECT_EQ(created->GetElementName(), name);
        EXPECT_TRUE(created->IsEnabled()) << name;
        EXPECT_EQ(created->GetGameObject(false), nullptr) << name;
        // The inspector shows nothing of a kind the editor's names leave out.
        EXPECT_STRNE(EditorNamesOf(*created).label, "") << name;
    }
    EXPECT_EQ(ComponentCreators().at("Transform")()->GetKind(), CompEnum::Transform);
}
