// The Edit Config window: the editor's copy of the per-user "config.xml".
#include "editor.h"

#include "core.h"
#include "editorvalues.h"
#include "graphics.h"
#include "imgui_compat.h"
#include "helpers.h"

#include <array>
#include <cstring>

namespace
{
// Start-up does not read the file: applied, its defaults (editor mode on, colliders drawn) would change how
// every start looks.
constexpr const char* kConfigSavedText =
    "Saved to config.xml. The program starts with its own settings and does not read the file at\n"
    "start-up; Edit Config applies its gamma when it opens.";

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

// A number outside its range (a width of -5, a frame rate of 0 or "1e39") is refused and the old one kept.
void SideSetting(const char* label, int& side)
{
    int edited = side;
    if (ImGui::InputInt(label, &edited, 0, 0, ImGuiInputTextFlags_EnterReturnsTrue) && WindowSideRange.Holds(edited))
        side = edited;
}

void FrameRateSetting(float& fps)
{
    float edited = fps;
    const bool entered = editorvalues::EditFinite(edited, [](float* copy) {
        return ImGui::InputFloat("##FPS", copy, 0.0f, 0.0f, "%.3f",
                                 ImGuiInputTextFlags_CharsScientific | ImGuiInputTextFlags_EnterReturnsTrue);
    });
    if (entered && FrameRateRange.Holds(edited))
        fps = edited;
}
}

void Editor::ReadConfigForEditor()
{
    Graphics* graphics = GraphicsSystem();
    float gamma = graphics ? graphics->GetGamma() : DefaultConfigGamma;
    // What the file lacks or holds unreadable shows as the default.
    config_ = EditorConfig{};
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
    SideSetting("Width", config_.width);
    SideSetting("Height", config_.height);
    ImGui::Separator();
    ImGui::Checkbox("Fullscreen", &config_.fullscreen);
    ImGui::Checkbox("ShowWindow", &config_.showWindow);
    ImGui::Checkbox("ShowTerminal", &config_.showTerminal);
    ImGui::Checkbox("EditorMode", &config_.editorMode);
    ImGui::Checkbox("DrawColliders", &config_.drawColliders);
    ImGui::Separator();
    FrameRateSetting(config_.fps);
    ImGui::TextColored(ImVec4(0.0f, 1.0f, 0.0f, 1.0f), "Gamma Correction");
    if (Graphics* graphics = GraphicsSystem())
    {
        // The picture follows the slider at once; the file only on Save. A typed value is held to the range.
        float gamma = graphics->GetGamma();
        if (ImGui::SliderFloat("##gammaCorrection", &gamma, GammaRange.least, GammaRange.most, "%.3f",
                               ImGuiSliderFlags_AlwaysClamp))
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
                                             : kConfigSavedText);
        if (ImGui::Button("OK", ImVec2(120.0f, 0.0f)))
            ImGui::CloseCurrentPopup();
        ImGui::EndPopup();
    }
    ImGui::End();
}
