#pragma once
// Dear ImGui as Debian packages it (1.86, without docking), with what the editor needs of the docking
// branch standing in as no-ops.
#include <imgui.h>

// Every window is undockable here.
inline constexpr ImGuiWindowFlags ImGuiWindowFlags_NoDocking = 0;
