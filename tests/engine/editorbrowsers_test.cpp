#include "resourcemanager.h"
#include "sceneeditorworld.h"

#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <string>

// The windows are drawn only while editing; the material list lays its names out in the chosen columns.
TEST_F(SceneEditorWorld, ProjectAndPrefabsShowWhileEditingWithTheMaterialsInTheirColumns)
{
    ResourceManager resources(scratch.Folder());
    for (int index = 1; index <= 7; ++index)
        resources.materials["Material " + std::to_string(index)];
    editor().SetMaterialColumns(3);
    EXPECT_EQ(editor().ProjectTab(), 1);
    editor().Update();
    editor().Update();

    const ImGuiWindow* project = ImGui::FindWindowByName("Project");
    const ImGuiWindow* prefabs = ImGui::FindWindowByName("Prefabs");
    ASSERT_NE(project, nullptr);
    ASSERT_NE(prefabs, nullptr);
    EXPECT_TRUE(project->WasActive);
    EXPECT_TRUE(prefabs->WasActive);
    ASSERT_EQ(project->ColumnsStorage.Size, 1);
    EXPECT_EQ(project->ColumnsStorage[0].Count, 3);

    core.SetPlaying(true);
    editor().Update();
    editor().Update();
    EXPECT_FALSE(project->WasActive);
    EXPECT_FALSE(prefabs->WasActive);
}
