// The Project window (the materials, for the material inspector) and the Prefabs window.
#include "editor.h"

#include "core.h"
#include "gameobject.h"
#include "graphics.h"
#include "imgui_compat.h"
#include "objectfactory.h"
#include "resourcemanager.h"

#include <string>

namespace
{
const ImVec4 kCountColour(0.0f, 1.0f, 0.0f, 1.0f);
}

void Editor::ShowProjectWindow()
{
    PlaceNextWindow(CurrentLayout().project, false);
    if (ImGui::Begin("Project"))
    {
        const char* tabs[] = {"Materials", "Models", "Textures"};
        for (int tab = 1; tab <= 3; ++tab)
        {
            if (tab > 1)
                ImGui::SameLine();
            if (ImGui::Button(tabs[tab - 1]))
                projectTab_ = tab;
        }
        ImGui::Separator();
        if (projectTab_ == 1)
            ShowMaterialList();
    }
    ImGui::End();
}

void Editor::ShowMaterialList()
{
    ImGui::TextUnformatted("Search for: ");
    ImGui::SameLine();
    ShowFilterHelp();
    ImGui::PushItemWidth(300.0f);
    projectFilter_.Draw("Filter (inc,-exc)");
    ImGui::PopItemWidth();
    ImGui::SameLine();
    ImGui::PushItemWidth(200.0f);
    ImGui::SliderInt("No. of Columns##materialColumns", &materialColumns_, 1, 20, "%d");
    ImGui::PopItemWidth();
    ImGui::Columns(materialColumns_, nullptr, true);
    if (gResourceManager)
        for (const auto& entry : gResourceManager->materials)
        {
            const std::string& name = entry.first;
            if (!projectFilter_.Passes(name))
                continue;
            if (ImGui::GetColumnIndex() == 0)
                ImGui::Separator();
            if (ImGui::Selectable(name.c_str(), materialFlags_[name]))
            {
                for (auto& flag : materialFlags_)
                    flag.second = false;
                SetInspected(nullptr, name, InspectorKind::Material, false);
            }
            ImGui::NextColumn();
        }
    ImGui::Columns(1);
    ImGui::Separator();
}

void Editor::ShowPrefabsWindow()
{
    PlaceNextWindow(CurrentLayout().prefabs, false);
    if (ImGui::Begin("Prefabs") && gFactory)
    {
        const std::vector<GameObject*> prefabs = gFactory->GetPrefabs();
        ImGui::TextColored(kCountColour, "No. game prefabs: ");
        ImGui::SameLine();
        ImGui::Text("%zu", prefabs.size());
        ImGui::TextUnformatted("Search for: ");
        ImGui::SameLine();
        ShowFilterHelp();
        prefabFilter_.Draw("Filter (inc,-exc)");
        for (GameObject* prefab : prefabs)
            if (prefabFilter_.Passes(prefab->GetName()))
                ShowPrefabRow(*prefab);
    }
    ImGui::End();
}

void Editor::ShowPrefabRow(GameObject& prefab)
{
    const std::string id = std::to_string(prefab.GetID());
    if (ImGui::Selectable((prefab.GetName() + "##" + id).c_str(), prefabFlags_[prefab.GetID()], 0,
                          ImVec2(100.0f, 15.0f)))
    {
        if (!ImGui::GetIO().KeyCtrl)
        {
            for (auto& flag : prefabFlags_)
                flag.second = false;
            picked_.clear();
        }
        picked_.push_back(&prefab);
        prefabFlags_[prefab.GetID()] = !prefabFlags_[prefab.GetID()];
        SetInspected(&prefab, "", InspectorKind::Prefab, false);
    }
    ImGui::SameLine();
    if (ImGui::Button(("Instantiate  ##" + id).c_str()))
        InstantiatePrefab(prefab);
}

GameObject* Editor::InstantiatePrefab(const GameObject& prefab)
{
    GameObject* instance = gFactory ? gFactory->SpawnObject(prefab.GetName() + " Prefab ", prefab.GetID()) : nullptr;
    if (!instance)
        return nullptr;
    if (Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr)
        graphics->RegisterObject(instance);
    picked_.assign(1, instance);
    return instance;
}
