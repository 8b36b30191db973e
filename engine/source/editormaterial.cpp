// The Inspector's material body (name, render mode, texture maps, colours, shininess, saving) and the
// "Select 2D Texture" window that fills a material's map or a particle system's texture.
#include "editorshowinfo.h"

#include "assertion.h"
#include "c_meshrenderer.h"
#include "c_particlesystem.h"
#include "core.h"
#include "editor.h"
#include "editorvalues.h"
#include "graphics.h"
#include "objectfactory.h"
#include "resourcemanager.h"

#include <imgui_stdlib.h>

#include <algorithm>
#include <cstdint>

namespace inspector
{
namespace
{
// The four maps of a material, in the inspector's order.
struct MapSlot
{
    const char* title;
    const char* clearId;
    const char* changeId;
    const char* target;
    std::string Material::*name;
    bool Material::*used;
};

constexpr MapSlot kMapSlots[] = {
    {"Diffuse Map", "None##clearDiffMap", "Change##changeDiffBtn", "diffMap", &Material::diffuseMap,
     &Material::hasDiffuseMap},
    {"Specular Map", "None##clearSpecMap", "Change##changeSpecBtn", "specMap", &Material::specularMap,
     &Material::hasSpecularMap},
    {"Normal Map", "None##clearNrmMap", "Change##changeNrmBtn", "nrmMap", &Material::normalMap,
     &Material::hasNormalMap},
    {"Height Map", "None##clearHeightMap", "Change##changeHeightBtn", "heightMap", &Material::heightMap,
     &Material::hasHeightMap},
};

void FillSlot(Material& material, const MapSlot& slot, const std::string& texture)
{
    material.*slot.name = texture;
    material.*slot.used = !texture.empty();
}
}

void SetTextureSlot(Material& material, const std::string& target, const std::string& texture)
{
    for (const MapSlot& slot : kMapSlots)
        if (target == slot.target)
            FillSlot(material, slot, texture);
}

void SetRenderMode(Material& material, std::uint32_t mode)
{
    if (material.renderMode == mode)
        return;
    material.renderMode = mode;
    Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr;
    if (!graphics)
        return;
    if (mode == 1)
        graphics->ReclassifyOpaqueRenderables();
    else
        graphics->ReclassifyTransparentRenderables();
}

bool IsPlainFileName(const std::string& name)
{
    return !name.empty() && name.find_first_of("/\\") == std::string::npos && name.find("..") == std::string::npos;
}

bool SaveMaterial(const Material& material, const std::string& rootFolder)
{
    ASSERT(IsPlainFileName(material.name),
           "Material \"" + material.name + "\" not saved: its name cannot name a file in Assets/Materials");
    if (!IsPlainFileName(material.name))
        return false;
    return WriteXmlFile(rootFolder + "Assets/Materials/" + material.name + ".xml",
                        [&material](XMLWriter& writer) { material.Serialize(writer); });
}

int TexturePickerColumns(float windowWidth)
{
    return std::max(static_cast<int>((windowWidth - 70.0f) / 70.0f) - 1, 1);
}

namespace
{
void ShowMapBlock(Editor& editor, Material& material, const MapSlot& slot)
{
    ImGui::TextUnformatted(slot.title);
    ImGui::SameLine();
    if (ImGui::Button(slot.clearId))
        FillSlot(material, slot, {});
    ImGui::SameLine();
    std::string shown = material.*slot.name;
    ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 1.0f);
    ImGui::BeginDisabled();
    ImGui::PushID(slot.target);
    ImGui::InputText("##mapName", &shown, ImGuiInputTextFlags_ReadOnly);
    ImGui::PopID();
    ImGui::EndDisabled();
    ImGui::PopStyleVar();
    ImGui::SameLine();
    if (ImGui::Button(slot.changeId))
        editor.OpenTexturePicker(slot.target);
}

void ShowSaveMaterialPopup(Material& material, const std::string& rootFolder)
{
    if (!ImGui::BeginPopupModal("Save Material?", nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return;
    ImGui::Text("You're about to overwrite %s.xml.\nAre you sure?\n\n", material.name.c_str());
    ImGui::Separator();
    if (inspector::ConfirmButtons())
        SaveMaterial(material, rootFolder);
    ImGui::EndPopup();
}
}
}

void Editor::OpenTexturePicker(std::string target)
{
    textureTarget_ = std::move(target);
    textureWindowOpen_ = true;
}

void Editor::ShowMaterialInspector()
{
    using namespace inspector;
    if (!gResourceManager)
        return;
    // Kept by its key: a rename changes the record's name only.
    const auto found = gResourceManager->materials.find(inspectedMaterial_);
    if (found == gResourceManager->materials.end())
        return;
    Material& material = found->second;
    const Material before = material;
    ShowMaterialFields(material);
    if (!(material == before))
        RefreshMaterialCopies(inspectedMaterial_);
}

void Editor::ShowMaterialFields(Material& material)
{
    using namespace inspector;
    ImGui::TextUnformatted("Material Name:");
    std::string name = material.name;
    if (ImGui::InputText("##matName", &name, ImGuiInputTextFlags_EnterReturnsTrue))
        material.name = name;
    ImGui::TextUnformatted("Rendering Mode:");
    ImGui::SameLine();
    int mode = static_cast<int>(material.renderMode);
    if (ImGui::Combo("##renderModeType", &mode, "Opaque\0Fade\0"))
        SetRenderMode(material, static_cast<std::uint32_t>(mode));
    ImGui::Separator();
    for (const MapSlot& slot : kMapSlots)
    {
        ShowMapBlock(*this, material, slot);
        if (slot.name == &Material::diffuseMap)
            ImGui::ColorEdit4("##diffColorMat", &material.diffuse.x);
        if (slot.name == &Material::specularMap)
        {
            ImGui::ColorEdit4("##specColorMat", &material.specular.x);
            ImGui::Dummy(ImVec2(0.0f, 10.0f));
            ImGui::TextUnformatted("Shininess");
            editorvalues::EditFinite(material.shininess, [](float* copy) {
                return ImGui::SliderFloat("##matShininessEdit", copy, 0.0f, 1000.0f, "%.3f");
            });
        }
        ImGui::Dummy(ImVec2(0.0f, 10.0f));
    }
    ImGui::Dummy(ImVec2(0.0f, 5.0f));
    if (ImGui::Button("Save Material..."))
        ImGui::OpenPopup("Save Material?");
    ShowSaveMaterialPopup(material, gResourceManager->RootFolder());
}

void Editor::RefreshMaterialCopies(const std::string& key)
{
    if (!gFactory)
        return;
    for (GameObject* object : gFactory->GetObjects())
        if (auto* renderer = object->GetComponent<MeshRenderer>())
            renderer->RefreshMaterial(key);
}

void Editor::PickTexture(const std::string& textureName)
{
    if (inspectorKind_ == InspectorKind::Material && gResourceManager)
        if (const auto found = gResourceManager->materials.find(inspectedMaterial_);
            found != gResourceManager->materials.end())
        {
            inspector::SetTextureSlot(found->second, textureTarget_, textureName);
            RefreshMaterialCopies(inspectedMaterial_);
        }
    GameObject* object = InspectedObject();
    if (!object || textureTarget_ != "particleTexture")
        return;
    // The target outlives the object it was set for: an object without particles takes nothing.
    if (auto* particles = object->GetComponent<ParticleSystem>())
        particles->settings.textureName = textureName;
}

void Editor::ShowTexturePicker(bool* open)
{
    ImGui::SetNextWindowSizeConstraints(ImVec2(555.0f, 460.0f), ImVec2(1500.0f, 2400.0f));
    if (!ImGui::Begin("Select 2D Texture", open, ImGuiWindowFlags_NoCollapse))
    {
        ImGui::End();
        return;
    }
    ImGui::TextUnformatted("Search for: ");
    ImGui::SameLine();
    ShowFilterHelp();
    textureFilter_.Draw("Filter (inc,-exc)");
    ImGui::Columns(inspector::TexturePickerColumns(ImGui::GetWindowWidth()), nullptr, true);
    if (gResourceManager)
        for (const auto& [key, texture] : gResourceManager->textures)
        {
            if (!textureFilter_.Passes(key))
                continue;
            if (ImGui::GetColumnIndex() == 0)
                ImGui::Separator();
            // Unreadable textures share GL name 0, which the button would take as its id.
            ImGui::PushID(key.c_str());
            const auto id = reinterpret_cast<ImTextureID>(static_cast<std::uintptr_t>(texture.id));
            if (ImGui::ImageButton(id, ImVec2(70.0f, 70.0f)))
                PickTexture(texture.name);
            ImGui::PopID();
            ImGui::TextUnformatted(key.c_str());
            ImGui::NextColumn();
        }
    ImGui::Columns(1);
    ImGui::End();
}
