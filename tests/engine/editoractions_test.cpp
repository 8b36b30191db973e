#include "c_camera.h"
#include "c_canvas.h"
#include "sceneeditorworld.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
// Logs its calls: the history's bookkeeping is what is tried.
class LoggingAction final : public Editor::Actions
{
public:
    LoggingAction(std::vector<std::string>& log, int number) : log_(log), number_(number) {}
    void Redo() override { log_.push_back("redo " + std::to_string(number_)); }
    void Undo() override { log_.push_back("undo " + std::to_string(number_)); }

private:
    std::vector<std::string>& log_;
    int number_;
};

template <class List>
bool Contains(const List& objects, const GameObject* object)
{
    return std::ranges::find(objects, object) != objects.end();
}
}

TEST(ActionHistory, KeepsTwentyAndDropsTheRedoTailOnARecord)
{
    const struct
    {
        const char* name;
        int recorded;
        int undone;
        int recordedAfter;
        std::size_t entries;
        int cursor;
    } cases[] = {
        {"three, two undone, one more", 3, 2, 1, 2, 2},
        {"twenty-one", 21, 0, 0, 20, 20},
        {"twenty, ten undone, one more", 20, 10, 1, 11, 11},
        {"more undos than entries", 2, 5, 0, 2, 0},
    };
    for (const auto& c : cases)
    {
        ClearActionHistory();
        std::vector<std::string> log;
        int number = 0;
        for (int i = 0; i < c.recorded; ++i)
            RecordAction(std::make_unique<LoggingAction>(log, ++number));
        for (int i = 0; i < c.undone; ++i)
            UndoAction();
        for (int i = 0; i < c.recordedAfter; ++i)
            RecordAction(std::make_unique<LoggingAction>(log, ++number));
        EXPECT_EQ(ActionHistory().size(), c.entries) << c.name;
        EXPECT_EQ(ActionCursor(), c.cursor) << c.name;
        log.clear();
        if (c.cursor == static_cast<int>(c.entries))
        {
            RedoAction();
            EXPECT_THAT(log, IsEmpty()) << c.name << ": nothing to redo";
        }
    }
    ClearActionHistory();
}

TEST(ActionHistory, OfTwentyOneTheFirstCanNoLongerBeUndone)
{
    std::vector<std::string> log;
    for (int number = 1; number <= 21; ++number)
        RecordAction(std::make_unique<LoggingAction>(log, number));
    for (int i = 0; i < 25; ++i)
        UndoAction();
    EXPECT_EQ(log.size(), 20u);
    EXPECT_EQ(log.front(), "undo 21");
    EXPECT_EQ(log.back(), "undo 2");
    RedoAction();
    EXPECT_EQ(log.back(), "redo 2");
    EXPECT_EQ(ActionCursor(), 1);
    ClearActionHistory();
}

TEST_F(SceneEditorWorld, UndoneCreationsLeaveTheSceneAndANewRecordDropsThem)
{
    GameObject* first = CreateObjectRecorded("First");
    const ObjectId second = CreateObjectRecorded("Second")->GetID();
    const ObjectId third = CreateObjectRecorded("Third")->GetID();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->GetTransform(), nullptr);

    UndoAction();
    UndoAction();
    EXPECT_FALSE(IsLive(second));
    EXPECT_FALSE(IsLive(third));
    EXPECT_EQ(ActionCursor(), 1);

    CreateObjectRecorded("Fourth");
    EXPECT_EQ(ActionHistory().size(), 2u);
    RedoAction();
    EXPECT_FALSE(IsLive(third));

    // Undoing the first creation and redoing it brings the same object back.
    UndoAction();
    UndoAction();
    EXPECT_FALSE(IsLive(first->GetID()));
    RedoAction();
    EXPECT_EQ(factory.FindObjectById(first->GetID()), first);
}

TEST_F(SceneEditorWorld, ThreeDeletionsComeBackLastFirstWithTheirParentsAndChildren)
{
    const auto liveIds = [this] {
        std::vector<ObjectId> ids;
        for (const GameObject* object : factory.GetObjects())
            ids.push_back(object->GetID());
        return ids;
    };
    const std::vector<ObjectId> order = liveIds();
    // Torch hangs under Altar with Lamp under it; Altar holds Crate B as well.
    for (ObjectId id : {3002, 3001, 2001})
        editor().SelectObject(&Object(id), true);
    // A prefab and a repeated entry are passed over.
    editor().SelectObject(factory.GetPrefabs().front(), true);
    editor().SelectObject(&Object(2001), true);
    editor().DeleteSelectedObjects();

    EXPECT_EQ(ActionHistory().size(), 3u);
    for (ObjectId id : {3002, 3001, 2001})
        EXPECT_FALSE(IsLive(id)) << id;
    EXPECT_EQ(factory.GetPrefabs().size(), 2u);
    EXPECT_EQ(ParentId(2002), 0u);
    EXPECT_EQ(ParentId(2003), 0u);
    // The neighbour of the last one deleted is the one picked.
    EXPECT_THAT(editor().PickedObjects(), ElementsAre(&Object(2002)));

    UndoAction();
    EXPECT_TRUE(IsLive(2001));
    EXPECT_FALSE(IsLive(3001));
    UndoAction();
    EXPECT_THAT(ChildIds(3001), ElementsAre(2002));
    UndoAction();
    EXPECT_EQ(ParentId(3002), 3001u);
    EXPECT_THAT(ChildIds(3001), ElementsAre(2002, 3002));
    EXPECT_THAT(ChildIds(3002), ElementsAre(2003));
    // Each back in its place: the next save writes the objects in the order they were loaded.
    EXPECT_EQ(liveIds(), order);

    // Redone, Torch leaves Altar again and takes Lamp with it.
    RedoAction();
    RedoAction();
    RedoAction();
    EXPECT_FALSE(IsLive(3002));
    EXPECT_EQ(ParentId(2003), 0u);
    UndoAction();
    UndoAction();
    UndoAction();
    EXPECT_EQ(liveIds(), order);
}

TEST_F(SceneEditorWorld, ARelinkSkipsAChildThatFoundAnotherParentMeanwhile)
{
    editor().SelectObject(&Object(3002), false);
    editor().DeleteSelectedObjects();
    Object(2001).AddChild(&Object(2003));
    UndoAction();
    EXPECT_EQ(ParentId(2003), 2001u);
    EXPECT_THAT(ChildIds(3002), IsEmpty());
    EXPECT_EQ(ParentId(3002), 3001u);
}

TEST_F(SceneEditorWorld, AnUndoneCreationUnderACanvasLeavesTheCanvas)
{
    GameObject& canvas = *CreateObjectRecorded("Menu");
    canvas.AddComponent("Canvas");
    GameObject& button = *CreateObjectRecorded("Button");
    button.AddComponent("CanvasRenderer");
    canvas.AddChild(&button);
    ASSERT_EQ(canvas.GetComponent<Canvas>()->GetElements().size(), 1u);

    UndoAction();
    EXPECT_THAT(canvas.GetComponent<Canvas>()->GetElements(), IsEmpty());
    EXPECT_THAT(canvas.GetChildren(), IsEmpty());
    RedoAction();
    EXPECT_THAT(canvas.GetComponent<Canvas>()->GetElements(), ElementsAre(&button));
}

TEST_F(SceneEditorWorld, ComponentAddsAndRemovesRoundTripAndAnExistingOneRecordsNothing)
{
    GameObject& crate = Object(2001);
    Component* box = RecordComponentAdd(crate, "AABBCollider");
    ASSERT_NE(box, nullptr);
    // Any collider name gives the one the object has.
    EXPECT_EQ(RecordComponentAdd(crate, "SphereCollider"), box);
    EXPECT_EQ(RecordComponentAdd(crate, "Unknown"), nullptr);
    EXPECT_EQ(RecordComponentRemove(crate, "Camera"), nullptr);
    EXPECT_EQ(ActionHistory().size(), 1u);

    UndoAction();
    EXPECT_EQ(crate.GetCollider(), nullptr);
    EXPECT_FALSE(Contains(core.GetGraphics()->colliders.active, &crate));
    RedoAction();
    EXPECT_EQ(crate.GetComponent<Collider>(), box);
    EXPECT_TRUE(Contains(core.GetGraphics()->colliders.active, &crate));

    EXPECT_EQ(RecordComponentRemove(crate, "AABBCollider"), box);
    EXPECT_EQ(crate.GetCollider(), nullptr);
    UndoAction();
    EXPECT_EQ(crate.GetComponent<Collider>(), box);
    RedoAction();
    EXPECT_EQ(crate.GetCollider(), nullptr);
}

// The removed component the history names is freed once twenty more wait behind it; the allocator may give its
// memory to any component made later, which an undo must leave alone.
TEST_F(SceneEditorWorld, AnUndoOfAFreedComponentsRemovalTouchesNoLaterComponent)
{
    GameObject& crate = Object(2001);
    crate.AddComponent("AABBCollider");
    ASSERT_NE(RecordComponentRemove(crate, "AABBCollider"), nullptr);
    for (std::size_t n = 0; n < GameObject::kRemovedComponentsKept; ++n)
    {
        crate.AddComponent("AABBCollider");
        crate.RemoveComponentByName("AABBCollider");
    }
    const Component* later = crate.AddComponent("AABBCollider");
    const std::size_t parked = crate.GetRemovedComponents().size();

    UndoAction();
    EXPECT_EQ(crate.GetComponent<Collider>(), later);
    EXPECT_EQ(crate.GetRemovedComponents().size(), parked);
    RedoAction();
    EXPECT_EQ(crate.GetComponent<Collider>(), later);
}

TEST_F(SceneEditorWorld, APrefabsRestoredComponentLeavesTheRendererAlone)
{
    GameObject& prefab = *factory.GetPrefabs().front();
    ASSERT_NE(RecordComponentAdd(prefab, "PointLight"), nullptr);
    UndoAction();
    EXPECT_EQ(prefab.GetLight(), nullptr);
    RedoAction();
    EXPECT_NE(prefab.GetLight(), nullptr);
    EXPECT_FALSE(Contains(core.GetGraphics()->pointLights.active, &prefab));

    // A live object's restored light is drawn again.
    GameObject& crate = Object(2001);
    RecordComponentAdd(crate, "PointLight");
    UndoAction();
    RedoAction();
    EXPECT_TRUE(Contains(core.GetGraphics()->pointLights.active, &crate));
}

TEST_F(SceneEditorWorld, AnObjectMadeAPrefabKeepsItsEditActionsButNotItsObjectAction)
{
    GameObject& made = *CreateObjectRecorded("Made");
    RecordComponentEdit<Transform>(made, [](Transform& transform) { transform.SetPosition({5.0f, 0.0f, 0.0f}); });
    ASSERT_TRUE(factory.MakePrefab(&made));

    UndoAction();
    EXPECT_EQ(made.GetTransform()->GetPosition(), Vector3());
    UndoAction();
    EXPECT_EQ(ActionCursor(), 0);
    EXPECT_TRUE(Contains(factory.GetPrefabs(), &made));
    EXPECT_TRUE(factory.GetDeletedObjects().empty());
}

namespace
{
// Per type: the name it is added by and an edit the inspector could make.
template <class T>
struct EditCase;

#define EDIT_CASE(Type, element, ...)                                                                            \
    template <>                                                                                                  \
    struct EditCase<Type>                                                                                        \
    {                                                                                                            \
        static constexpr const char* kElement = element;                                                         \
        static void Change(Type& c) { __VA_ARGS__; }                                                             \
    }
EDIT_CASE(Transform, "Transform", c.SetPosition({1.0f, 2.0f, 3.0f}); c.SetRotation({0.0f, 30.0f, 0.0f}));
EDIT_CASE(RigidBody, "RigidBody", c.SetMass(5.0f); c.SetGravityScale(0.5f));
EDIT_CASE(BoxCollider, "AABBCollider", c.SetSize({2.0f, 3.0f, 4.0f}); c.SetTrigger(true));
EDIT_CASE(SphereCollider, "SphereCollider", c.SetRadius(3.0f));
EDIT_CASE(CapsuleCollider, "CapsuleCollider", c.SetRadius(0.25f); c.SetHeight(4.0f));
EDIT_CASE(MeshFilter, "MeshFilter", c.SetMeshName("Cube"));
EDIT_CASE(MeshRenderer, "MeshRenderer", c.AddMaterial("Stone"));
EDIT_CASE(AudioListener, "AudioListener", c.SetRadius(7.0f));
EDIT_CASE(AudioSource, "AudioSource", c.SetVolume(0.25f); c.SetLooping(true));
EDIT_CASE(DirectionalLight, "DirectionalLight", c.SetIntensity(3.0f); c.SetDirection({0.0f, -1.0f, 0.0f}));
EDIT_CASE(PointLight, "PointLight", c.SetRange(12.0f); c.SetDiffuse({1.0f, 0.0f, 0.0f}));
EDIT_CASE(Waypoint, "Waypoint", c.SetEdgeIds({7, 8}));
EDIT_CASE(Animator, "Animator", c.SetEnabledAndNotify(false));
#undef EDIT_CASE

template <class T>
class ComponentEdits : public SceneEditorWorld
{
};
using EditedTypes = ::testing::Types<Transform, RigidBody, BoxCollider, SphereCollider, CapsuleCollider, MeshFilter,
                                     MeshRenderer, AudioListener, AudioSource, DirectionalLight, PointLight, Waypoint,
                                     Animator>;
TYPED_TEST_SUITE(ComponentEdits, EditedTypes);
}

TYPED_TEST(ComponentEdits, UndoAndRedoWriteTheValuesBackAndLeaveAComponentChangedSince)
{
    GameObject& object = *this->factory.SpawnObject("Edited", 0);
    object.AddComponent(EditCase<TypeParam>::kElement);
    TypeParam& component = *object.template GetComponent<TypeParam>();
    const auto before = TakeEditRecord(component);
    ASSERT_TRUE(RecordComponentEdit<TypeParam>(object, &EditCase<TypeParam>::Change));
    const auto after = TakeEditRecord(component);
    ASSERT_FALSE(before == after);

    UndoAction();
    EXPECT_TRUE(MatchesEditRecord(component, before));
    RedoAction();
    EXPECT_TRUE(MatchesEditRecord(component, after));

    // A change the history did not see: undo writes nothing and still moves the cursor.
    component.SetEnabledAndNotify(!component.IsEnabled());
    const auto changed = TakeEditRecord(component);
    UndoAction();
    EXPECT_TRUE(MatchesEditRecord(component, changed));
    EXPECT_EQ(ActionCursor(), 0);
}

TEST_F(SceneEditorWorld, AnEditOfARemovedLightComesBackAfterTheLight)
{
    GameObject& crate = Object(2001);
    crate.AddComponent("PointLight");
    RecordComponentEdit<PointLight>(crate, [](PointLight& light) { light.SetIntensity(9.0f); });
    EXPECT_FALSE(RecordComponentEdit<Camera>(crate, [](Camera&) {}));
    RecordComponentRemove(crate, "PointLight");

    UndoAction();
    ASSERT_NE(crate.GetLight(), nullptr);
    EXPECT_EQ(crate.GetLight()->GetIntensity(), 9.0f);
    UndoAction();
    EXPECT_EQ(crate.GetLight()->GetIntensity(), PointLight().GetIntensity());
}

TEST_F(SceneEditorWorld, AnUndoneMeshRendererEditKeepsTheMaterialsOfNamesItDidNotChange)
{
    GameObject& crate = Object(2001);
    auto& renderer = *static_cast<MeshRenderer*>(crate.AddComponent("MeshRenderer"));
    renderer.AddMaterial("Stone");
    renderer.SetMaterialAlpha(0.5f, 0);
    RecordComponentEdit<MeshRenderer>(crate, [](MeshRenderer& edited) { edited.AddMaterial("Moss"); });
    UndoAction();
    EXPECT_EQ(renderer.GetMaterialNames(), std::vector<std::string>{"Stone"});
    EXPECT_EQ(renderer.GetMaterialAlpha(0), 0.5f);
    RedoAction();
    EXPECT_EQ(renderer.GetMaterialNames(), (std::vector<std::string>{"Stone", "Moss"}));
}
