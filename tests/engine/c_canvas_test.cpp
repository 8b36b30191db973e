#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "objectworld.h"
#include "renderlists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
using testing::ElementsAre;
using testing::IsEmpty;

class CanvasLinks : public testing::Test
{
protected:
    GameObject& Element(const std::string& name, ObjectId id)
    {
        GameObject& element = world.Live(name, id);
        element.AddComponent("CanvasRenderer");
        return element;
    }
    static CanvasRenderer& RendererOf(const GameObject& object) { return *object.GetComponent<CanvasRenderer>(); }
    // Removes as many other components as the buffer keeps, so what was parked before is deleted.
    static void OverflowRemovedBuffer(GameObject& object)
    {
        for (std::size_t i = 0; i < GameObject::kRemovedComponentsKept; ++i)
            object.RemoveComponent(object.AddComponent("Waypoint"));
    }
    void FreeObject(const GameObject& object)
    {
        std::erase_if(world.live, [&](const auto& owned) { return owned.get() == &object; });
    }
    // As the factory frees destroyed objects: every link cut in one sweep, then the objects deleted.
    void FreeTogether(const std::vector<GameObject*>& going)
    {
        GameObject::UnlinkForFreeing(going);
        std::erase_if(world.live, [&](const auto& owned) { return std::ranges::count(going, owned.get()) > 0; });
    }

    ObjectWorld world;
    GameObject& menu = world.Live("Menu", 1);
    Canvas& canvas = *static_cast<Canvas*>(menu.AddComponent("Canvas"));
};

TEST_F(CanvasLinks, ChildrenWithARendererBecomeElementsOnceAndLeaveWhenRemoved)
{
    GameObject& play = Element("Play", 2);
    GameObject& quit = Element("Quit", 3);
    GameObject& plain = world.Live("Plain", 4);
    menu.AddChild(&play);
    menu.AddChild(&quit);
    menu.AddChild(&play);
    menu.AddChild(&plain);
    EXPECT_THAT(canvas.GetElements(), ElementsAre(&play, &quit));
    EXPECT_EQ(RendererOf(play).GetCanvas(), &canvas);

    menu.RemoveChild(&play);
    EXPECT_THAT(canvas.GetElements(), ElementsAre(&quit));
    EXPECT_EQ(RendererOf(play).GetCanvas(), nullptr);
}

TEST_F(CanvasLinks, AParentWithoutACanvasLinksNothing)
{
    GameObject& holder = world.Live("Holder", 5);
    GameObject& icon = Element("Icon", 6);
    holder.AddChild(&icon);
    EXPECT_EQ(RendererOf(icon).GetCanvas(), nullptr);
}

TEST_F(CanvasLinks, AChildThatGainsItsRendererLaterIsLinkedWhenAddedAgain)
{
    GameObject& late = world.Live("Late", 7);
    menu.AddChild(&late);
    late.AddComponent("CanvasRenderer");
    menu.AddChild(&late);
    EXPECT_THAT(canvas.GetElements(), ElementsAre(&late));
}

TEST_F(CanvasLinks, FreeingEitherEndLeavesNoLinkBehind)
{
    GameObject& first = Element("First", 8);
    GameObject& second = Element("Second", 9);
    menu.AddChild(&first);
    menu.AddChild(&second);
    world.live.erase(world.live.begin() + 1);
    EXPECT_THAT(canvas.GetElements(), ElementsAre(&second));

    world.live.erase(world.live.begin());
    EXPECT_EQ(RendererOf(second).GetCanvas(), nullptr);
}

TEST_F(CanvasLinks, ObjectsFreedTogetherLeaveNoLinkBehind)
{
    GameObject& going = Element("Going", 11);
    GameObject& staying = Element("Staying", 12);
    menu.AddChild(&going);
    menu.AddChild(&staying);
    FreeTogether({&going});
    EXPECT_THAT(canvas.GetElements(), ElementsAre(&staying));

    FreeTogether({&menu});
    EXPECT_EQ(RendererOf(staying).GetCanvas(), nullptr);
}

TEST_F(CanvasLinks, AnElementWhoseRendererWasRemovedStillLeavesTheCanvasWhenFreed)
{
    GameObject& element = Element("Element", 13);
    menu.AddChild(&element);
    element.RemoveComponent(element.GetComponent<CanvasRenderer>());
    world.live.pop_back();
    EXPECT_THAT(canvas.GetElements(), IsEmpty());
}

TEST_F(CanvasLinks, ElementsSharingAnIdAllLeaveWhenOneIsRemoved)
{
    // Only a damaged file gives two objects one id; removing either child lets both go.
    GameObject& first = Element("First", 14);
    GameObject& twin = Element("Twin", 14);
    menu.AddChild(&first);
    menu.AddChild(&twin);
    menu.RemoveChild(&first);
    EXPECT_THAT(canvas.GetElements(), IsEmpty());
    EXPECT_EQ(RendererOf(twin).GetCanvas(), nullptr);

    menu.AddChild(&twin);
    EXPECT_THAT(canvas.GetElements(), ElementsAre(&twin));
}

TEST_F(CanvasLinks, AParkedCanvasTakesItsLinksAlongAndARestoredOneRelinksTheChildrenItHasThen)
{
    GameObject& going = Element("Going", 14);
    GameObject& staying = Element("Staying", 15);
    menu.AddChild(&going);
    menu.AddChild(&staying);
    menu.RemoveComponentByName("Canvas");
    EXPECT_THAT(canvas.GetElements(), IsEmpty());
    EXPECT_EQ(RendererOf(staying).GetCanvas(), nullptr);

    FreeObject(going);
    menu.RestoreComponent(&canvas);
    EXPECT_THAT(canvas.GetElements(), ElementsAre(&staying));
    EXPECT_EQ(RendererOf(staying).GetCanvas(), &canvas);

    // Deleted from the buffer later, it leaves the renderer nothing to reach; drawing looks the canvas up.
    menu.RemoveComponent(&canvas);
    OverflowRemovedBuffer(menu);
    RenderLists lists([](const std::string&) { return false; });
    lists.FileObject(&staying);
    lists.SortCanvasRenderers();
    EXPECT_EQ(RendererOf(staying).GetCanvas(), nullptr);
}

TEST_F(CanvasLinks, AParkedRendererLeavesItsCanvasAndARestoredOneJoinsItsParentsCanvasOfThen)
{
    GameObject& element = Element("Element", 16);
    menu.AddChild(&element);
    CanvasRenderer& renderer = RendererOf(element);
    element.RemoveComponent(&renderer);
    EXPECT_THAT(canvas.GetElements(), IsEmpty());
    EXPECT_EQ(renderer.GetCanvas(), nullptr);
    element.RestoreComponent(&renderer);
    EXPECT_THAT(canvas.GetElements(), ElementsAre(&element));
    EXPECT_EQ(renderer.GetCanvas(), &canvas);

    // Its canvas freed while it was parked: restored, it belongs to no canvas.
    element.RemoveComponent(&renderer);
    FreeObject(menu);
    element.RestoreComponent(&renderer);
    EXPECT_EQ(renderer.GetCanvas(), nullptr);
}

TEST_F(CanvasLinks, CopiesStartUnlinkedAndLinkUnderTheirNewParent)
{
    GameObject& element = Element("Element", 10);
    menu.AddChild(&element);

    const auto canvasCopy = canvas.Clone();
    EXPECT_THAT(static_cast<Canvas&>(*canvasCopy).GetElements(), IsEmpty());
    EXPECT_FALSE(canvasCopy->Compare(canvas)) << "element lists differ";
    const auto rendererCopy = RendererOf(element).Clone();
    EXPECT_EQ(static_cast<CanvasRenderer&>(*rendererCopy).GetCanvas(), nullptr);

    GameObject& copy = world.Live(std::make_unique<GameObject>(menu));
    GameObject& copiedElement = world.Live(std::make_unique<GameObject>(element));
    copy.AddChild(&copiedElement);
    EXPECT_THAT(copy.GetComponent<Canvas>()->GetElements(), ElementsAre(&copiedElement));
    EXPECT_EQ(RendererOf(copiedElement).GetCanvas(), copy.GetComponent<Canvas>());
}

TEST_F(CanvasLinks, CanvasesDifferingOnlyInPixelsPerUnitCompareEqual)
{
    Canvas other;
    other.SetPPU(7);
    EXPECT_TRUE(canvas.Compare(other));
}
} // namespace
