#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_image.h"
#include "c_meshrenderer.h"
#include "c_recttransform.h"
#include "camerainterface.h"
#include "lightinterface.h"
#include "objectworld.h"
#include "renderlists.h"
#include "transforminterface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
class RenderListsTest : public ::testing::Test
{
protected:
    // An object with the components of these element names, live in the world.
    GameObject& Make(const std::string& name, std::initializer_list<const char*> components)
    {
        return world.LiveWith(name, ++lastId, components);
    }
    GameObject& Renderer(const std::string& name, const std::string& material)
    {
        GameObject& object = Make(name, {"MeshRenderer"});
        object.GetComponent<MeshRenderer>()->AddMaterial(material);
        return object;
    }
    // A UI element at depth z under the canvas object.
    GameObject& Element(GameObject& canvas, const std::string& name, float z)
    {
        GameObject& element = Make(name, {"CanvasRenderer", "RectTransform", "Image"});
        element.GetRectTransform()->SetPosition({0, 0, z});
        canvas.AddChild(&element);
        lists.FileObject(&element);
        return element;
    }
    std::vector<GameObject*> UIOrder() const
    {
        std::vector<GameObject*> order;
        for (const auto& [depth, object] : lists.UIOrder())
            order.push_back(object);
        return order;
    }

    ObjectWorld world;
    PostedMessages posted;
    ObjectId lastId = 100;
    std::set<std::string> transparentMaterials{"Glass"};
    RenderLists lists{[this](const std::string& name) { return transparentMaterials.contains(name); }};
};
}

TEST_F(RenderListsTest, RegisteringTwiceFilesEachKindOnce)
{
    GameObject& lamp = Make("Lamp", {"PointLight", "Camera", "Canvas"});
    GameObject& sun = Make("Sun", {"DirectionalLight"});
    GameObject& crate = Renderer("Crate", "Stone");
    GameObject& glass = Renderer("Glass", "Glass");
    GameObject& element = Make("Element", {"CanvasRenderer"});
    for (int i = 0; i < 2; ++i)
        for (GameObject* object : {&lamp, &sun, &crate, &glass, &element})
            lists.FileObject(object);
    EXPECT_THAT(lists.pointLights.active, ElementsAre(&lamp));
    EXPECT_THAT(lists.directionalLights.active, ElementsAre(&sun));
    EXPECT_THAT(lists.cameras.active, ElementsAre(&lamp));
    EXPECT_THAT(lists.canvases.active, ElementsAre(&lamp));
    EXPECT_THAT(lists.opaqueRenderables.active, ElementsAre(&crate));
    EXPECT_THAT(lists.transparentRenderables.active, ElementsAre(&glass));
    EXPECT_THAT(lists.canvasRenderers.active, ElementsAre(&element));
}

TEST_F(RenderListsTest, DisabledComponentsAreFiledAside)
{
    GameObject& sun = Make("Sun", {"DirectionalLight"});
    GameObject& glass = Renderer("Glass", "Glass");
    GameObject& camera = Make("Camera", {"Camera"});
    sun.GetLight()->SetEnabled(false);
    glass.GetMeshRenderer()->SetEnabled(false);
    camera.GetCamera()->SetEnabled(false);
    for (GameObject* object : {&sun, &glass, &camera})
        lists.FileObject(object);
    EXPECT_THAT(lists.directionalLights.disabled, ElementsAre(&sun));
    EXPECT_THAT(lists.transparentRenderables.disabled, ElementsAre(&glass));
    EXPECT_THAT(lists.cameras.disabled, ElementsAre(&camera));
    EXPECT_EQ(lists.GetGameCamera(), nullptr);
}

TEST_F(RenderListsTest, UnfilingDetachesEveryChild)
{
    GameObject& parent = Renderer("Parent", "Stone");
    std::vector<GameObject*> children;
    for (const char* name : {"A", "B", "C"})
    {
        children.push_back(&Make(name, {}));
        parent.AddChild(children.back());
    }
    lists.FileObject(&parent);
    lists.UnfileObject(&parent);
    EXPECT_THAT(parent.GetChildren(), IsEmpty());
    for (const GameObject* child : children)
    {
        EXPECT_EQ(child->GetParent(), nullptr);
        EXPECT_EQ(child->GetParentID(), 0u);
    }
    EXPECT_THAT(lists.opaqueRenderables.active, IsEmpty());
}

TEST_F(RenderListsTest, UnfilingARootOverAHundredThousandObjectsDetachesThemAll)
{
    constexpr int kChildren = 100000;
    constexpr int kElementEvery = 1000;
    GameObject& root = Make("Root", {"Canvas"});
    lists.FileObject(&root);
    for (int n = 0; n < kChildren; ++n)
    {
        GameObject& child = world.Live("Leaf", ++lastId);
        if (n % kElementEvery == 0)
            child.AddComponent("CanvasRenderer");
        root.AddChildWithoutLoopCheck(&child);
        lists.FileObject(&child);
    }
    ASSERT_EQ(root.GetComponent<Canvas>()->GetElements().size(), static_cast<std::size_t>(kChildren / kElementEvery));

    // As a level unloads: the root first, then every child.
    lists.UnfileObject(&root);
    EXPECT_THAT(root.GetChildren(), IsEmpty());
    EXPECT_THAT(root.GetComponent<Canvas>()->GetElements(), IsEmpty());
    int linked = 0;
    for (const auto& object : world.live)
    {
        const auto* renderer = object->GetComponent<CanvasRenderer>();
        linked += object->GetParent() || object->GetParentID() != 0 || (renderer && renderer->GetCanvas());
        lists.UnfileObject(object.get());
    }
    EXPECT_EQ(linked, 0);
    EXPECT_THAT(lists.canvasRenderers.active, IsEmpty());
}

TEST_F(RenderListsTest, EnablingAndDisablingMovesBetweenTheListsOfAKind)
{
    GameObject& lamp = Make("Lamp", {"PointLight", "Camera", "Canvas"});
    GameObject& crate = Renderer("Crate", "Stone");
    GameObject& glass = Renderer("Glass", "Glass");
    for (GameObject* object : {&lamp, &crate, &glass})
        lists.FileObject(object);

    lists.OnDisableComponent(&lamp, CompEnum::Light);
    EXPECT_THAT(lists.pointLights.disabled, ElementsAre(&lamp));
    EXPECT_THAT(lists.cameras.active, ElementsAre(&lamp));
    // Enabling what is active already changes nothing.
    lists.OnEnableComponent(&lamp, CompEnum::Camera);
    EXPECT_THAT(lists.cameras.active, ElementsAre(&lamp));
    lists.OnDisableComponent(&lamp, CompEnum{});
    EXPECT_THAT(lists.cameras.disabled, ElementsAre(&lamp));
    EXPECT_THAT(lists.canvases.disabled, ElementsAre(&lamp));
    lists.OnEnableComponent(&lamp, CompEnum{});
    EXPECT_THAT(lists.pointLights.active, ElementsAre(&lamp));
    EXPECT_THAT(lists.cameras.active, ElementsAre(&lamp));
    EXPECT_THAT(lists.canvases.active, ElementsAre(&lamp));

    // A blended renderer is hidden by disabling like an opaque one.
    for (GameObject* object : {&crate, &glass})
        lists.OnDisableComponent(object, CompEnum::MeshRenderer);
    EXPECT_THAT(lists.opaqueRenderables.disabled, ElementsAre(&crate));
    EXPECT_THAT(lists.transparentRenderables.disabled, ElementsAre(&glass));
    EXPECT_THAT(lists.transparentRenderables.active, IsEmpty());
    for (GameObject* object : {&crate, &glass})
        lists.OnEnableComponent(object, CompEnum::MeshRenderer);
    EXPECT_THAT(lists.opaqueRenderables.active, ElementsAre(&crate));
    EXPECT_THAT(lists.transparentRenderables.active, ElementsAre(&glass));
}

TEST_F(RenderListsTest, ColliderAndParticleSystemAreSwitchedOnlyByTheirOwnKind)
{
    GameObject& sparks = Make("Sparks", {"SphereCollider", "ParticleSystem"});
    lists.FileObject(&sparks);

    lists.OnDisableComponent(&sparks, CompEnum::Collider);
    EXPECT_THAT(lists.colliders.disabled, ElementsAre(&sparks));
    EXPECT_THAT(lists.particleSystems.active, ElementsAre(&sparks));
    lists.OnDisableComponent(&sparks, CompEnum::ParticleSystem);
    EXPECT_THAT(lists.particleSystems.disabled, ElementsAre(&sparks));
    lists.OnEnableComponent(&sparks, CompEnum{});
    EXPECT_THAT(lists.colliders.active, ElementsAre(&sparks));
    EXPECT_THAT(lists.particleSystems.active, ElementsAre(&sparks));
}

TEST_F(RenderListsTest, ReclassifyingFollowsTheMaterialsRenderMode)
{
    GameObject& a = Renderer("A", "Stone");
    GameObject& b = Renderer("B", "Stone");
    GameObject& c = Renderer("C", "Wood");
    for (GameObject* object : {&a, &b, &c})
        lists.FileObject(object);
    transparentMaterials.insert("Stone");
    lists.ReclassifyOpaqueRenderables();
    EXPECT_THAT(lists.opaqueRenderables.active, ElementsAre(&c));
    EXPECT_THAT(lists.transparentRenderables.active, ElementsAre(&a, &b));
    transparentMaterials.erase("Stone");
    lists.ReclassifyTransparentRenderables();
    EXPECT_THAT(lists.opaqueRenderables.active, ElementsAre(&c, &a, &b));
    EXPECT_THAT(lists.transparentRenderables.active, IsEmpty());
}

TEST_F(RenderListsTest, TransparentObjectsAreOrderedByDistanceAndNoneIsLost)
{
    GameObject& camera = Make("Camera", {"Camera"});
    camera.GetTransform()->SetPosition({0, 0, -10});
    lists.FileObject(&camera);
    const struct
    {
        const char* name;
        Vector3 position;
    } placed[] = {{"Near", {0, 0, -8}}, {"Far", {0, 0, 10}}, {"Side", {3, 0, -6}}, {"Twin", {0, 0, -5}}};
    std::map<std::string, GameObject*> byName;
    for (const auto& [name, position] : placed)
    {
        GameObject& object = Renderer(name, "Glass");
        object.GetTransform()->SetPosition(position);
        lists.FileObject(&object);
        byName[name] = &object;
    }
    lists.SortTransparentRenderables();
    std::vector<std::pair<float, GameObject*>> order(lists.TransparencyOrder().begin(),
                                                     lists.TransparencyOrder().end());
    // "Side" and "Twin" are both 5 away.
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], std::make_pair(2.0f, byName["Near"]));
    EXPECT_EQ(order[1], std::make_pair(5.0f, byName["Side"]));
    EXPECT_EQ(order[2], std::make_pair(5.0f, byName["Twin"]));
    EXPECT_EQ(order[3], std::make_pair(20.0f, byName["Far"]));
}

TEST_F(RenderListsTest, UIElementsAreOrderedByDepthAndHiddenOnesAreLeftOut)
{
    GameObject& canvas = Make("Canvas", {"Canvas"});
    lists.FileObject(&canvas);
    GameObject& top = Element(canvas, "Top", 0.5f);
    GameObject& back = Element(canvas, "Back", -1.0f);
    GameObject& same1 = Element(canvas, "Same1", 0.0f);
    GameObject& same2 = Element(canvas, "Same2", 0.0f);
    GameObject& front = Element(canvas, "Front", 1.0f);
    lists.SortCanvasRenderers();
    EXPECT_THAT(UIOrder(), ElementsAre(&back, &same1, &same2, &top, &front));

    // Equal depths far from 0 still find free keys.
    for (GameObject* element : {&same1, &same2})
        element->GetRectTransform()->SetPosition({0, 0, 40.0f});
    lists.SortCanvasRenderers();
    EXPECT_THAT(UIOrder(), ElementsAre(&back, &top, &front, &same1, &same2));

    same1.SetActive(false);
    same2.GetImage()->SetEnabled(false);
    top.GetRectTransform()->SetEnabled(false);
    lists.SortCanvasRenderers();
    EXPECT_THAT(UIOrder(), ElementsAre(&back, &front));
    canvas.SetActive(false);
    lists.SortCanvasRenderers();
    EXPECT_THAT(UIOrder(), IsEmpty());
}

TEST_F(RenderListsTest, UIElementsAreDrawnByDepthWithEqualDepthsInListOrder)
{
    constexpr float kMax = std::numeric_limits<float>::max();
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const struct
    {
        const char* label;
        std::vector<float> depths;
        // Indices into depths, in drawing order.
        std::vector<int> order;
    } cases[] = {
        {"one depth", {0, 0, 0}, {0, 1, 2}},
        {"mixed", {0.5f, -1, 0, 0, 1}, {1, 2, 3, 0, 4}},
        {"a depth one nudge above a pair", {0, 0, 1e-6f}, {0, 1, 2}},
        {"signed zeros are one depth", {-0.0f, 0.0f, -0.0f}, {0, 1, 2}},
        {"past the nudge's reach", {40, 40, 16, 16}, {2, 3, 0, 1}},
        {"the largest floats", {kMax, kMax, kMax, -kMax, 0}, {3, 4, 0, 1, 2}},
        {"not finite, taken as 0", {kNaN, 1, -1, kInf, -kInf, 0}, {2, 0, 3, 4, 5, 1}},
    };
    ObjectId id = 1000;
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.label);
        RenderLists ordered{[](const std::string&) { return false; }};
        GameObject& canvas = world.LiveWith("Canvas", ++id, {"Canvas"});
        ordered.FileObject(&canvas);
        std::vector<GameObject*> elements;
        for (const float depth : test.depths)
        {
            GameObject& element = world.LiveWith("Element", ++id, {"CanvasRenderer", "RectTransform", "Image"});
            element.GetRectTransform()->SetPosition({0, 0, depth});
            canvas.AddChild(&element);
            ordered.FileObject(&element);
            elements.push_back(&element);
        }
        testing::internal::CaptureStderr();
        ordered.SortCanvasRenderers();
        testing::internal::GetCapturedStderr();
        std::vector<GameObject*> expected;
        for (const int index : test.order)
            expected.push_back(elements[index]);
        std::vector<GameObject*> drawn;
        for (const auto& [depth, element] : ordered.UIOrder())
            drawn.push_back(element);
        EXPECT_EQ(drawn, expected);
    }
}

TEST_F(RenderListsTest, ADepthThatIsNotFiniteIsReportedOncePerElement)
{
    GameObject& canvas = Make("Canvas", {"Canvas"});
    lists.FileObject(&canvas);
    Element(canvas, "Lost", std::numeric_limits<float>::quiet_NaN());
    Element(canvas, "Beyond", std::numeric_limits<float>::infinity());
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 3; ++frame)
        lists.SortCanvasRenderers();
    const std::string errors = testing::internal::GetCapturedStderr();
    for (const char* name : {"Lost", "Beyond"})
    {
        const std::string report = std::string("UI element ") + name + " has a depth that is not a finite number";
        const std::size_t first = errors.find(report);
        ASSERT_NE(first, std::string::npos) << errors;
        EXPECT_EQ(errors.find(report, first + 1), std::string::npos) << errors;
    }
}

TEST_F(RenderListsTest, TheLastCameraRegisteredIsTheGameCameraUntilDestroyed)
{
    GameObject& first = Make("First", {"Camera"});
    GameObject& second = Make("Second", {"Camera"});
    lists.FileObject(&first);
    lists.FileObject(&second);
    EXPECT_EQ(lists.GetGameCamera(), second.GetCamera());
    EXPECT_EQ(lists.GetGameCameraTransform(), second.GetTransform());

    lists.SetMainCamera(first.GetID());
    EXPECT_EQ(lists.GetGameCamera(), first.GetCamera());
    // An unknown id falls back to the last active camera.
    lists.SetMainCamera(12345);
    EXPECT_EQ(lists.GetGameCamera(), second.GetCamera());

    first.GetCamera()->SetViewDirty(false);
    first.GetCamera()->SetProjectionDirty(false);
    lists.UnfileObject(&second);
    EXPECT_EQ(lists.GetGameCamera(), first.GetCamera());
    EXPECT_TRUE(first.GetCamera()->IsViewDirty());
    EXPECT_TRUE(first.GetCamera()->IsProjectionDirty());
    lists.UnfileObject(&first);
    EXPECT_EQ(lists.GetGameCamera(), nullptr);
    EXPECT_EQ(lists.GetGameCameraTransform(), nullptr);
}

TEST(Picking, IndexColoursRoundTripAndTheBackgroundPicksNothing)
{
    const Vector4 colour = PickingColor(256);
    EXPECT_EQ(colour, Vector4(0.0f, 1.0f / 255.0f, 0.0f, 1.0f));
    for (std::uint32_t index : {0u, 1u, 255u, 256u, 70000u, 0xFFFFFEu})
    {
        const Vector4 c = PickingColor(index);
        auto byte = [](float channel) { return static_cast<unsigned char>(std::lround(channel * 255.0f)); };
        EXPECT_EQ(PickedIndex(byte(c.x), byte(c.y), byte(c.z)), index);
    }
    EXPECT_EQ(PickedIndex(255, 255, 255), kNothingPicked);
    GameObject object("A", 1);
    const std::vector<GameObject*> objects{&object};
    EXPECT_EQ(PickedObject(0, objects), &object);
    EXPECT_EQ(PickedObject(1, objects), nullptr);
    EXPECT_EQ(PickedObject(kNothingPicked, objects), nullptr);
}
