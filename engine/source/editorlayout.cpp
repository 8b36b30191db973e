#include "editorlayout.h"

#include "imgui_compat.h"

EditorLayout LayoutEditor(const PanelRect& area)
{
    const float left = area.width / 5.0f;
    const float right = area.width / 4.0f;
    const float strip = area.height / 4.0f;
    const float top = area.height - strip;
    const float stripY = area.y + top;
    const float slot = area.width / 4.0f;
    EditorLayout layout;
    layout.hierarchy = {area.x, area.y, left, top};
    layout.scene = {area.x + left, area.y, area.width - left - right, top};
    layout.inspector = {area.x + area.width - right, area.y, right, top};
    PanelRect* bottom[] = {&layout.console, &layout.project, &layout.prefabs, &layout.systems};
    for (int n = 0; n < 4; ++n)
        *bottom[n] = {area.x + slot * static_cast<float>(n), stripY, slot, strip};
    return layout;
}

void PlaceNextWindow(const PanelRect& place, bool always)
{
    const ImGuiCond when = always ? ImGuiCond_Always : ImGuiCond_FirstUseEver;
    ImGui::SetNextWindowPos(ImVec2(place.x, place.y), when);
    ImGui::SetNextWindowSize(ImVec2(place.width, place.height), when);
}
