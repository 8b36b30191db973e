// The editor's main menu bar: the File, Assets, GameObject and Window menus, the tool strip and the gizmo.
#include "editor.h"

#include "imgui_compat.h"

void Editor::ShowMainMenuBar()
{
    ImGui::Dummy(ImVec2(50.0f, 0.0f));
    ShowGizmoToolbar();
    DrawSceneGizmo();
}
