// The Edit Config window: the editor's copy of the per-user "config.xml".
#include "editor.h"

#include "core.h"
#include "graphics.h"
#include "imgui_compat.h"
#include "helpers.h"

#include <array>
#include <cstring>

namespace
{
Graphics* GraphicsSystem()
{
    return gCore ? gCore->GetGraphics() : nullptr;
}

// The text is taken over only on Enter.
void TextSetting(const char* label, std::string& text)
{
    std::array<char, 128> buffer{};
    std::strncpy(buffer.data(), text.c_str(), buffer.size() - 1);
    if (ImGui::InputText(label, buffer.data(), buffer.size(), ImGuiInputTextFlags_EnterReturnsTrue))
        text = buffer.data();
}
}

void Editor::ReadConfigForEditor()
{
    Graphics* graphics = GraphicsSystem();
    float gamma = graphics ? graphics->GetGamma() : DefaultConfigGamma;
    ReadConfigFile(GetUserDataFolder() + ConfigFileName, config_, gamma);
    if (graphics)
        graphics->SetGamma(gamma);
}

bool Editor::SaveConfigForEditor()
{
    const Graphics* graphics = GraphicsSystem();
    return WriteConfigFile(GetUserDataFolder() + ConfigFileName, config_,
                           graphics ? graphics->GetGamma() : DefaultConfigGamma);
}

void Editor::ShowEditConfig()
{
    if (!ImGui::Begin("Edit Config", &editConfigOpen_, ImGuiWindowFlags_AlwaysAutoResize))
    {
        ImGui::End();
        return;
    }
    TextSetting("Window's Name##name", config_.windowName);
    ImGui::Separator();
    ImGui::InputInt("Width", &config_.width, 0, 0, ImGuiInputTextFlags_EnterReturnsTrue);
    ImGui::InputInt("Height", &config_.height, 0, 0, ImGuiInputTextFlags_EnterReturnsTrue);
    ImGui::Separator();
    ImGui::Checkbox("Fullscreen", &config_.fullscreen);
    ImGui::Checkbox("ShowWindow", &config_.showWindow);
    ImGui::Checkbox("ShowTerminal", &config_.showTerminal);
    ImGui::Checkbox("EditorMode", &config_.editorMode);
    ImGui::Checkbox("DrawColliders", &config_.drawColliders);
    ImGui::Separator();
    ImGui::InputFloat("##FPS", &config_.fps, 0.0f, 0.0f, "%.3f",
                      ImGuiInputTextFlags_CharsScientific | ImGuiInputTextFlags_EnterReturnsTrue);
    ImGui::TextColored(ImVec4(0.0f, 1.0f, 0.0f, 1.0f), "Gamma Correction");
    if (Graphics* graphics = GraphicsSystem())
    {
        // The picture follows the slider at once; the file only on Save.
        float gamma = graphics->GetGamma();
        if (ImGui::SliderFloat("##gammaCorrection", &gamma, 0.1f, 4.5f, "%.3f"))
            graphics->SetGamma(gamma);
    }
    TextSetting("DLL##dll", config_.dll);
    if (ImGui::Button("Save"))
    {
        configSaveFailed_ = !SaveConfigForEditor();
        ImGui::OpenPopup("Config_save_changes_pop_up");
    }
    if (ImGui::BeginPopup("Config_save_changes_pop_up"))
    {
        ImGui::TextColored(ImVec4(1.0f, 0.83f, 0.0f, 1.0f), "%s",
                           configSaveFailed_ ? "The configuration file could not be written."
                                             : "Changes saved will be reflected in the next run.");
        if (ImGui::Button("OK", ImVec2(120.0f, 0.0f)))
            ImGui::CloseCurrentPopup();
        ImGui::EndPopup();
    }
    ImGui::End();
}
