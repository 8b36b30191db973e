// The editor through its window, as a level designer uses it: pointer and keys come from the X server.
#include "editorharness.h"
#include "gameobject.h"

#include <GL/glew.h>
#include <gmock/gmock.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cstdio>
#include <iostream>

using ::testing::Contains;

TEST_F(EditorHarness, ClicksPickTheCubeAndTheCameraIconAndTheBackgroundChangesNothing)
{
    // The view renders at the size of the picture it shows, so a pixel of one is the pixel of the other.
    const PanelRect& image = editor().SceneImage();
    EXPECT_EQ(graphics().EditorViewportSize(),
              std::make_pair(static_cast<int>(image.width), static_cast<int>(image.height)));
    EXPECT_GT(image.y, ImGui::FindWindowByName("Scene")->Pos.y);

    ClickAt(ScreenOf(Vector3(-2.0f, 2.0f, 0.0f)));
    EXPECT_EQ(editor().InspectedObject(), &Object("Cube"));
    EXPECT_TRUE(editor().Objects().at(11));

    ClickAt({static_cast<int>(image.x + image.width / 2), static_cast<int>(image.y + 5)});
    EXPECT_EQ(editor().InspectedObject(), &Object("Cube"));
    EXPECT_TRUE(editor().Objects().at(11));

    ClickAt(ScreenOf(Vector3(3.0f, 2.0f, 0.0f)));
    EXPECT_EQ(editor().InspectedObject(), &Object("Camera"));
    EXPECT_FALSE(editor().Objects().at(11));
}

// The pointer rested on the cube, then went straight to another window and clicked: that click picks nothing,
// wherever the pointer was a frame before.
TEST_F(EditorHarness, AClickOutsideTheSceneWindowNeverPicks)
{
    const ImGuiWindow* hierarchy = ImGui::FindWindowByName("Hierarchy");
    ASSERT_NE(hierarchy, nullptr);
    const struct
    {
        const char* where;
        std::pair<int, int> point;
    } clicks[] = {
        {"the Hierarchy's empty space", {static_cast<int>(hierarchy->Pos.x + hierarchy->Size.x / 2),
                                         static_cast<int>(hierarchy->Pos.y + hierarchy->Size.y - 10)}},
        // Last: it leaves the menu open.
        {"the File menu", {12, static_cast<int>(ImGui::GetFrameHeight() / 2)}},
    };
    for (const auto& click : clicks)
    {
        ClickAt(ScreenOf(Vector3(3.0f, 2.0f, 0.0f)));
        ASSERT_EQ(editor().InspectedObject(), &Object("Camera"));
        PointAt(ScreenOf(Vector3(-2.0f, 2.0f, 0.0f)));
        MoveAndClickAt(click.point);
        EXPECT_EQ(editor().InspectedObject(), &Object("Camera")) << "a click on " << click.where;
    }
}

TEST_F(EditorHarness, AfterAltF1WhatIsPrintedShowsInTheConsoleWindow)
{
    PressKeys({"Alt_L", "F1"});
    EXPECT_FALSE(editor().Console().WindowConsoleChosen());
    std::cout << "Printed in the editor" << std::endl;
    Frames(2);
    EXPECT_THAT(editor().Console().Lines(), Contains("Editor Console. Press Alt-F1 to switch to Window console"));
    EXPECT_THAT(editor().Console().Lines(), Contains("Printed in the editor"));
}

TEST_F(EditorHarness, ACollapsedSceneDrawsWithoutGLErrorsAndPicksNothing)
{
    const std::pair<int, int> cube = ScreenOf(Vector3(-2.0f, 2.0f, 0.0f));
    const ImGuiWindow* scene = ImGui::FindWindowByName("Scene");
    ASSERT_NE(scene, nullptr);
    while (glGetError() != GL_NO_ERROR)
    {
    }
    // The arrow at the left end of the title bar.
    const std::pair<int, int> arrow = {
        static_cast<int>(scene->Pos.x + ImGui::GetStyle().FramePadding.x + ImGui::GetFontSize() / 2),
        static_cast<int>(scene->Pos.y + scene->TitleBarHeight() / 2)};
    ClickAt(arrow);
    EXPECT_TRUE(scene->Collapsed);
    ClickAt(cube);
    EXPECT_EQ(editor().InspectedObject(), nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Opened again, the same click picks.
    ClickAt(arrow);
    EXPECT_FALSE(scene->Collapsed);
    ClickAt(cube);
    EXPECT_EQ(editor().InspectedObject(), &Object("Cube"));
}

TEST_F(EditorHarness, DeleteRemovesThePickedCubeAndCtrlZBringsItBack)
{
    ClickAt(ScreenOf(Vector3(-2.0f, 2.0f, 0.0f)));
    ASSERT_EQ(editor().InspectedObject(), &Object("Cube"));
    PressKeys({"Delete"});
    EXPECT_FALSE(IsLive("Cube"));
    PressKeys({"Control_L", "z"});
    ASSERT_TRUE(IsLive("Cube"));
    PressKeys({"Control_L", "y"});
    EXPECT_FALSE(IsLive("Cube"));
}

TEST_F(EditorHarness, CtrlSBeforeAnySceneIsLoadedOnlyOpensTheSavePopup)
{
    PressKeys({"Control_L", "s"});
    // The popup is opened by the shortcut pass, outside every window of the editor's.
    const ImGuiWindow* outside = ImGui::FindWindowByName("Debug##Default");
    ASSERT_NE(outside, nullptr);
    char popupName[32];
    std::snprintf(popupName, sizeof popupName, "##Popup_%08x", ImHashStr("Save Popup", 0, outside->ID));
    const ImGuiWindow* popup = ImGui::FindWindowByName(popupName);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->WasActive);
    EXPECT_FALSE(editor().SceneLoaded());
}

// The Load popup offers to replace the scene: once Play runs that scene, the popup goes.
TEST_F(EditorHarness, PlayClosesTheLoadPopup)
{
    const ImGuiContext& gui = *ImGui::GetCurrentContext();
    ClickAt({12, static_cast<int>(ImGui::GetFrameHeight() / 2)});
    const ImGuiWindow* menu = ImGui::FindWindowByName("##Menu_00");
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->Active);
    // New Scene, Save, a separator, Save as, a separator, then Load: its row is 73 pixels down.
    ClickAt({static_cast<int>(menu->Pos.x + 20), static_cast<int>(menu->Pos.y + 73)});
    ASSERT_EQ(gui.OpenPopupStack.Size, 1);
    ASSERT_FALSE(menu->Active);

    PressKeys({"F5"});
    EXPECT_TRUE(editor().IsPlaying());
    EXPECT_EQ(gui.OpenPopupStack.Size, 0);
    PressKeys({"F5"});
    EXPECT_FALSE(editor().IsPlaying());
}
