#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_recttransform.h"
#include "camerainterface.h"
#include "lightinterface.h"
#include "objectworld.h"
#include "renderlists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

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
        GameObject& object = world.Live(name, ++lastId);
        object.EnsureTransform();
        for (const char* component : components)
            object.AddComponent(component);
        return object;
    }
    // A UI element at depth z under the canvas object.
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
