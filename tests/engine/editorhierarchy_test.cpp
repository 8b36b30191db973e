#include "c_canvas.h"
#include "editorworld.h"
#include "resourcemanager.h"
#include "transforminterface.h"
#include "vectornear.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
class Hierarchy : public EditorWorld
{
protected:
    GameObject& Live(const std::string& name) { return *factory.FindObject(name); }
    bool Selected(const std::string& name) { return editor().Objects().at(Live(name).GetID()); }
    std::vector<std::string> Names(const std::vector<GameObject*>& objects)
    {
        std::vector<std::string> names;
        for (const GameObject* object : objects)
            names.push_back(object->GetName());
        return names;
    }
};
}

TEST_F(Hierarchy, CtrlClicksAddToTheSelectionAndAPlainClickLeavesOnlyItsRow)
{
    for (const char* name : {"Crate A", "Altar", "Torch"})
        editor().SelectObject(&Live(name), true);
    for (const char* name : {"Crate A", "Altar", "Torch"})
        EXPECT_TRUE(Selected(name)) << name;
    EXPECT_THAT(Names(editor().SelectedObjects()), ElementsAre("Crate A", "Altar", "Torch"));
    EXPECT_EQ(editor().InspectedObject(), &Live("Torch"));

    // Ctrl on a selected row flips it off, and inspecting it sets it again: it stays highlighted.
    editor().SelectObject(&Live("Altar"), true);
    EXPECT_TRUE(Selected("Altar"));
    EXPECT_THAT(Names(editor().PickedObjects()), ElementsAre("Crate A", "Altar", "Torch", "Altar"));

    editor().SelectObject(&Live("Crate B"), false);
    for (const char* name : {"Crate A", "Altar", "Torch"})
        EXPECT_FALSE(Selected(name)) << name;
    EXPECT_TRUE(Selected("Crate B"));
    EXPECT_THAT(Names(editor().SelectedObjects()), ElementsAre("Crate B"));
    EXPECT_THAT(Names(editor().PickedObjects()), ElementsAre("Crate B"));
}

TEST_F(Hierarchy, SetInspectedChoosesWhatTheInspectorShowsOverTheFourKinds)
{
    GameObject* crate = factory.FindPrefab("Crate");
    editor().RefreshPrefabList();
    editor().SetInspected(&Live("Altar"), {}, InspectorKind::SceneObject, true);
    EXPECT_EQ(editor().InspectedObject(), &Live("Altar"));
    EXPECT_TRUE(Selected("Altar"));
    EXPECT_FALSE(Selected("Torch"));
    EXPECT_EQ(editor().Objects().size(), 5u);

    editor().SetInspected(crate, {}, InspectorKind::Prefab, false);
    EXPECT_EQ(editor().InspectedObject(), crate);
    EXPECT_TRUE(editor().InspectedIsPrefab());
    EXPECT_FALSE(Selected("Altar"));
    // A prefab is flagged under its prefab id, which a prefab held by the factory has as 0.
    EXPECT_TRUE(editor().PrefabFlags().at(crate->GetPrefabID()));

    editor().SetInspected(nullptr, "Stone", InspectorKind::Material, false);
    EXPECT_EQ(editor().GetInspectorKind(), InspectorKind::Material);
    EXPECT_EQ(editor().InspectedMaterial(), "Stone");
    EXPECT_EQ(editor().InspectedObject(), nullptr);
    EXPECT_FALSE(editor().InspectedIsPrefab());

    editor().SetInspected(&Live("Altar"), {}, InspectorKind::Nothing, false);
    EXPECT_EQ(editor().InspectedObject(), nullptr);
    EXPECT_EQ(editor().InspectedMaterial(), "");
}

TEST_F(Hierarchy, AnInspectedObjectThatLeftTheSceneIsNoLongerHandedOut)
{
    editor().SetInspected(&Live("Crate A"), {}, InspectorKind::SceneObject, false);
    factory.DestroyObject(&Live("Crate A"));
    EXPECT_EQ(editor().InspectedObject(), nullptr);
}

TEST_F(Hierarchy, OnlyATopLevelRowTakesADroppedObjectAndNeverOneBelowIt)
{
    GameObject& altar = Live("Altar");
    GameObject& torch = Live("Torch");
    GameObject& crateA = Live("Crate A");
    const struct
    {
        GameObject* row;
        ObjectId dragged;
        const char* why;
    } refused[] = {{&Live("Lamp"), altar.GetID(), "onto its own descendant"},
                   {&torch, crateA.GetID(), "onto a child row"},
                   {&altar, altar.GetID(), "onto itself"},
                   {&altar, 987654321, "an id no live object has"}};
    for (const auto& drop : refused)
        EXPECT_FALSE(editor().DropOnto(*drop.row, drop.dragged)) << drop.why;
    EXPECT_EQ(altar.GetParent(), nullptr);
    EXPECT_EQ(crateA.GetParent(), nullptr);

    EXPECT_TRUE(editor().DropOnto(crateA, torch.GetID()));
    EXPECT_EQ(torch.GetParent(), &crateA);
    EXPECT_THAT(Names(altar.GetChildren()), ElementsAre("Crate B"));
    EXPECT_EQ(Live("Lamp").GetParent(), &torch);
}

TEST_F(Hierarchy, ConvertingTakesTheObjectOutOfTheSceneIntoTheSavedPrefabs)
{
    GameObject& torch = Live("Torch");
    torch.AddComponent("PointLight");
    graphics().RegisterObject(&torch);
    std::filesystem::create_directories(Root() + "Assets/Prefabs");
    editor().SetInspected(&torch, {}, InspectorKind::SceneObject, false);
    editor().SelectObject(&torch, false);
    const ObjectId id = torch.GetID();
    TakeHeard();

    ASSERT_TRUE(editor().ConvertToPrefab(torch));
    EXPECT_EQ(factory.FindObject("Torch"), nullptr);
    EXPECT_EQ(factory.FindPrefab("Torch"), &torch);
    EXPECT_EQ(torch.GetParent(), nullptr);
    EXPECT_THAT(Names(Live("Altar").GetChildren()), ElementsAre("Crate B"));
    EXPECT_EQ(Live("Lamp").GetParent(), nullptr);
    EXPECT_THAT(graphics().pointLights.active, IsEmpty());
    EXPECT_TRUE(editor().PrefabFlags().contains(id));
    EXPECT_EQ(editor().GetInspectorKind(), InspectorKind::Nothing);
    EXPECT_THAT(editor().PickedObjects(), IsEmpty());
    EXPECT_TRUE(std::filesystem::exists(Root() + "Assets/Prefabs/Torch_" + std::to_string(id) + "_Prefab.xml"));

    // Only a live object converts.
    EXPECT_FALSE(editor().ConvertToPrefab(torch));
}

TEST_F(Hierarchy, SavingACanvasWritesItThenItsElementsAndListsTheLayout)
{
    ResourceManager resources(Root());
    GameObject& menu = *factory.SpawnObject("Menu", 0);
    menu.AddComponent("Canvas");
    for (const char* name : {"Play", "Quit"})
    {
        GameObject& button = *factory.SpawnObject(name, 0);
        button.AddComponent("CanvasRenderer");
        menu.AddChild(&button);
    }
    // Without the UI folder nothing can be written, and nothing joins the list.
    EXPECT_FALSE(editor().SaveCanvas(menu));
    EXPECT_THAT(resources.uiFiles, IsEmpty());

    std::filesystem::create_directories(Root() + "Assets/UI");
    ASSERT_TRUE(editor().SaveCanvas(menu));
    const std::string text = ReadText(Root() + "Assets/UI/Menu.xml");
    EXPECT_LT(text.find("<Name>Menu</Name>"), text.find("<Name>Play</Name>"));
    EXPECT_LT(text.find("<Name>Play</Name>"), text.find("<Name>Quit</Name>"));
    EXPECT_THAT(resources.uiFiles, ElementsAre("Menu"));

    for (const char* name : {"", "../Menu", "Sub/Menu", "Sub\\Menu"})
    {
        menu.SetName(name);
        EXPECT_FALSE(editor().SaveCanvas(menu)) << name;
    }
    EXPECT_THAT(resources.uiFiles, ElementsAre("Menu"));
}

TEST_F(Hierarchy, FramingPutsTheEditorCameraOneUnitBehindTheObject)
{
    editor().SetUpEditorCamera();
    TransformInterface& camera = *graphics().GetEditorCamera().GetTransform();
    camera.SetRotation(Vector3(0.0f, 90.0f, 0.0f));
    editor().FrameObject(Live("Altar"));
    ExpectNear(camera.GetPosition(), Vector3(1.0f, 0.0f, 1.0f) - camera.GetForward(), "camera");
}
