// The Inspector's particle system editor, in sections like a particle tool, and the "Particle Effect" panel
// over the scene view that plays, pauses, restarts and stops the inspected effect.
#include "editorshowinfo.h"

#include "c_particlesystem.h"
#include "editor.h"

#include <imgui_stdlib.h>

#include <algorithm>
#include <cfloat>
#include <string>

namespace inspector
{
void SetBurstCount(ParticleSettings& settings, int entered)
{
    const int before = settings.burstCount;
    settings.burstCount = std::clamp(entered, 0, 1);
    if (settings.burstCount == before + 1 && settings.bursts.empty())
        settings.bursts.push_back({30, 1, 0.01f, 0.0f});
    else if (settings.burstCount == before - 1 && !settings.bursts.empty())
        settings.bursts.pop_back();
}

void StoreColourComponent(float& component, int entered)
{
    component = static_cast<float>(std::clamp(entered, 0, 255));
}

const char* ParticleToggleLabel(bool playing, bool paused)
{
    if (playing)
        return paused ? "Play##pauseParticle" : "Pause##pauseParticle";
    return paused ? "Play##playParticle" : "Play##pauseParticle";
}

namespace
{
constexpr const char* kEmissionTip = "Number of Particles emitted per second.";
// A value typed into a drag (Ctrl+click) keeps to the drag's limits as well.
constexpr ImGuiSliderFlags kClamped = ImGuiSliderFlags_AlwaysClamp;

// The label, then the value widget at the section's value column, 60 wide.
void ValueRow(const char* label, float column)
{
    ImGui::TextUnformatted(label);
    ImGui::SameLine(column);
    ImGui::SetNextItemWidth(60.0f);
}

// A drag over a length or time of the settings that restarts the simulation when it moves.
void RestartingDrag(const char* label, const char* id, float& value, float column, ParticleSystem& particles)
{
    ValueRow(label, column);
    if (ImGui::DragFloat(id, &value, 0.01f, 0.0f, FLT_MAX, "%.3f", kClamped))
        particles.ResetParticles();
}

void MainSection(const GameObject& object, ParticleSystem& particles, float column)
{
    if (!ImGui::CollapsingHeader(object.GetName().c_str()))
        return;
    ParticleSettings& settings = particles.settings;
    RestartingDrag("Duration ", "##Duration ", settings.duration, column, particles);
    ImGui::TextUnformatted("Looping ");
    ImGui::SameLine(column + 40.0f);
    bool loop = settings.loop;
    if (ImGui::Checkbox("##Looping", &loop))
        settings.loop = loop;
    RestartingDrag("Start Lifetime ", "##Start Lifetime ", settings.startLifetime, column, particles);
    RestartingDrag("Start Speed ", "##Start Speed", settings.startSpeed, column, particles);
    RestartingDrag("Start Size ", "##Start Size", settings.startSize, column, particles);
    RestartingDrag("Start Rotation ", "##Start Rotation", settings.startRotation, column, particles);
    ImGui::TextUnformatted("Simulation Space ");
    Tooltip("Makes particles simulate in World or Local Space");
    ImGui::SameLine(column);
    ImGui::SetNextItemWidth(60.0f);
    int space = particles.simulationSpace;
    if (ImGui::Combo("##Simulation Space", &space, "World\0"))
    {
        particles.simulationSpace = space;
        particles.ResetParticles();
    }
    ValueRow("Max Particles ", column);
    int maxParticles = settings.maxParticles;
    if (ImGui::DragInt("##Max Particles", &maxParticles, 1.0f, 5, 1000, "%d", kClamped))
        particles.SetMaxParticles(maxParticles);
}

void BurstTable(ParticleSettings& settings)
{
    ImGui::Separator();
    ImGui::Columns(4, "mycolumns", true);
    for (const char* heading : {"Time(unused)", "Count", "Cycles", "Interval(unused)"})
    {
        ImGui::TextUnformatted(heading);
        ImGui::NextColumn();
    }
    ImGui::Separator();
    for (std::size_t row = 0; row < settings.bursts.size(); ++row)
    {
        ParticleBurst& burst = settings.bursts[row];
        const std::string index = std::to_string(row);
        EnterFloat(("##Burst Time" + index).c_str(), burst.time, 50.0f);
        ImGui::NextColumn();
        EnterInt(("##Burst Count" + index).c_str(), burst.count, 50.0f);
        ImGui::NextColumn();
        EnterInt(("##Burst Cycles" + index).c_str(), burst.cycles, 50.0f);
        ImGui::NextColumn();
        EnterFloat(("##Burst Interval" + index).c_str(), burst.interval, 50.0f);
        ImGui::NextColumn();
    }
    ImGui::Columns(1);
    ImGui::Separator();
}

void EmissionSection(ParticleSettings& settings, float column)
{
    if (!ImGui::CollapsingHeader("Emission"))
        return;
    ImGui::TextUnformatted("Rate Over Time");
    Tooltip(kEmissionTip);
    ImGui::SameLine(column);
    ImGui::SetNextItemWidth(60.0f);
    ImGui::DragInt("##Rate", &settings.emissionRate, 1.0f, 0, 1000, "%d", kClamped);
    ImGui::TextUnformatted("Burst");
    Tooltip(kEmissionTip);
    BurstTable(settings);
    ImGui::SetNextItemWidth(25.0f);
    int count = settings.burstCount;
    if (ImGui::InputInt("Burst Count", &count, 1, 100))
        SetBurstCount(settings, count);
}

bool IsCone(int shape)
{
    return shape == static_cast<int>(EmitterShape::Cone) || shape == static_cast<int>(EmitterShape::ConeVolume);
}

bool IsRound(int shape)
{
    return IsCone(shape) || shape == static_cast<int>(EmitterShape::Sphere) ||
           shape == static_cast<int>(EmitterShape::Hemisphere) || shape == static_cast<int>(EmitterShape::Circle);
}

void ShapeVector(const char* label, const char* tip, const std::array<const char*, 3>& ids, Vector3& value)
{
    ColouredText(kLabelBlue, label);
    if (tip)
        Tooltip(tip);
    Vector3 shown = value;
    if (EnterVector3(ids, shown, 40.0f))
        value = shown;
}

void ShapeMeasures(ParticleSettings& settings)
{
    if (IsCone(settings.shapeType))
    {
        ImGui::TextUnformatted("Angle:");
        Tooltip("Angle of emission");
        ImGui::SameLine();
        ImGui::SetNextItemWidth(60.0f);
        ImGui::DragFloat("##Angle:", &settings.shapeAngle, 0.01f, 0.0f, 90.0f, "%.3f", kClamped);
    }
    if (!IsRound(settings.shapeType))
        return;
    ImGui::TextUnformatted("Radius:");
    Tooltip("Radius of sphere");
    ImGui::SameLine();
    ImGui::SetNextItemWidth(60.0f);
    ImGui::DragFloat("##Radius:", &settings.shapeRadius, 0.01f, 0.0f, FLT_MAX, "%.3f", kClamped);
    ImGui::SameLine();
    ImGui::TextUnformatted("Arc:");
    Tooltip("Arc of sphere. Both Azimuth and Inclination.");
    ImGui::SameLine();
    ImGui::SetNextItemWidth(60.0f);
    ImGui::DragFloat("##Arc:", &settings.shapeArc, 0.01f, 0.0f, 360.0f, "%.3f", kClamped);
}

void ShapeSection(Editor& editor, ParticleSystem& particles, float column)
{
    if (!ImGui::CollapsingHeader("Shape"))
        return;
    static constexpr const char* kShapes[] = {"Sphere", "Hemisphere", "Cone",    "Cone Volume",
                                              "Box",    "BoxShell",   "BoxEdge", "Circle"};
    ParticleSettings& settings = particles.settings;
    ImGui::TextUnformatted("Shape ");
    Tooltip("Shape of the emitter volume, which controls where the particles are emitted.");
    ImGui::SameLine(column - 60.0f);
    ImGui::SetNextItemWidth(120.0f);
    int shape = settings.shapeType;
    if (ImGui::Combo("##Shape", &shape, kShapes, IM_ARRAYSIZE(kShapes)))
    {
        settings.shapeType = shape;
        particles.ResetParticles();
    }
    ShapeMeasures(settings);

    ColouredText(kLabelGreen, "Texture Path");
    Tooltip("Texture for particles.");
    std::string texture = settings.textureName;
    ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 1.0f);
    ImGui::BeginDisabled();
    ImGui::InputText("##particleTexture", &texture, ImGuiInputTextFlags_ReadOnly);
    ImGui::EndDisabled();
    ImGui::PopStyleVar();
    ImGui::SameLine();
    if (ImGui::Button("Change Texture"))
        editor.OpenTexturePicker("particleTexture");

    ShapeVector("Position:", "Translate the Emission Shape. AKA Offset", {"##posx:", "##posy:", "##posz:"},
                settings.shapePosition);
    ShapeVector("Rotation:", nullptr, {"##rotx:", "##roty:", "##rotz:"}, settings.shapeRotation);
    ShapeVector("Scale:", "Scale the Emission Shape. How far it is away from the center",
                {"##scalex:", "##scaley:", "##scalez:"}, settings.shapeScale);
    if (settings.shapeType != static_cast<int>(EmitterShape::BoxShell))
        return;
    Tooltip("Emit from the faces of the boxes");
    ColouredText(kLabelGreen, "Use Face Normal?");
    ImGui::SameLine();
    ImGui::Checkbox("##faceNormal", &settings.shapeFaceNormal);
}

void ColourRow(const char* prefix, Vector4& colour)
{
    static constexpr const char* kChannels[] = {"r:", "g:", "b:", "a:"};
    float* components[] = {&colour.x, &colour.y, &colour.z, &colour.w};
    for (int channel = 0; channel < 4; ++channel)
    {
        ImGui::TextUnformatted(kChannels[channel]);
        ImGui::SameLine();
        int shown = static_cast<int>(*components[channel]);
        const std::string id = std::string(prefix) + kChannels[channel];
        if (EnterInt(id.c_str(), shown, 25.0f))
            StoreColourComponent(*components[channel], shown);
        if (channel < 3)
            ImGui::SameLine();
    }
}

void ColourSection(ParticleSettings& settings)
{
    if (!ImGui::CollapsingHeader("Color over Lifetime"))
        return;
    ImGui::Checkbox("Enable ##ColourOverLifetime", &settings.colourOverLifetime);
    ImGui::TextUnformatted("Colour");
    Tooltip("Controls colour of particle over its lifetime");
    ColouredText(kLabelBlue, "Start Colour:");
    Tooltip("Max colour(Initial)");
    ColourRow("##ColourMax", settings.colourMax);
    ColouredText(kLabelBlue, "End Colour:");
    Tooltip("Min colour(Final)");
    ColourRow("##ColourMin", settings.colourMin);
}

void SizeSection(ParticleSettings& settings)
{
    if (!ImGui::CollapsingHeader("Size over Lifetime"))
        return;
    ImGui::Checkbox("Enable ##SizeOverLifetime", &settings.sizeOverLifetime);
    Tooltip("Controls size of particle over its lifetime");
    ImGui::TextUnformatted("Size:");
    ColouredText(kLabelBlue, "Start Size:");
    Tooltip("Max size(Start)");
    ImGui::SameLine();
    EnterFloat("##MaxSize:", settings.sizeMax, 60.0f);
    ColouredText(kLabelBlue, "End Size:");
    Tooltip("Min size(Final)");
    ImGui::SameLine();
    EnterFloat("##MinSize:", settings.sizeMin, 60.0f);
}

void RendererSection(ParticleSettings& settings, float column)
{
    if (!ImGui::CollapsingHeader("Renderer"))
        return;
    static constexpr const char* kModes[] = {"Billboard", "Horizontal BillBoard", "Custom Direction BB"};
    ImGui::TextUnformatted("Render Mode ");
    Tooltip("Defines the render mode of the particle renderer.");
    ImGui::SameLine(column);
    ImGui::SetNextItemWidth(60.0f);
    int mode = settings.renderMode;
    if (ImGui::Combo("##Render Mode", &mode, kModes, IM_ARRAYSIZE(kModes)))
        settings.renderMode = mode;
}
}
}

void Editor::ShowParticleSystemEditor(GameObject& object, ParticleSystem& particles)
{
    using namespace inspector;
    bool enabled = particles.IsEnabled();
    if (ImGui::Checkbox("Enable?##particleCompEnable", &enabled))
        particles.SetEnabled(enabled);
    const float column = ImGui::GetWindowContentRegionMax().x - 60.0f;
    MainSection(object, particles, column);
    EmissionSection(particles.settings, column);
    ShapeSection(*this, particles, column);
    ColourSection(particles.settings);
    SizeSection(particles.settings);
    RendererSection(particles.settings, column);
}

void Editor::ShowParticleEffectWindow()
{
    GameObject* object = InspectedObject();
    auto* particles = object && !inspectedIsPrefab_ ? object->GetComponent<ParticleSystem>() : nullptr;
    if (!particles)
        return;
    ImGui::PushStyleVar(ImGuiStyleVar_WindowTitleAlign, ImVec2(0.5f, 0.5f));
    ImGui::SetNextWindowPos(
        ImVec2(sceneImage_.x + sceneImage_.width - 230.0f, sceneImage_.y + sceneImage_.height - 140.0f));
    ImGui::SetNextWindowSize(ImVec2(220.0f, 130.0f));
    constexpr ImGuiWindowFlags kFlags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
                                        ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_AlwaysAutoResize |
                                        ImGuiWindowFlags_NoDocking;
    if (ImGui::Begin("Particle Effect", nullptr, kFlags))
    {
        ImGui::Dummy(ImVec2(20.0f, 0.0f));
        ImGui::SameLine();
        if (ImGui::Button(inspector::ParticleToggleLabel(particles->IsPlaying(), particles->IsPaused())))
        {
            if (particles->IsPlaying())
                particles->Pause();
            else
                particles->Play();
        }
        ImGui::SameLine();
        if (ImGui::Button("Restart##restartParticle"))
        {
            particles->ResetParticles();
            particles->Play();
        }
        ImGui::SameLine();
        if (ImGui::Button("Stop##stopParticle"))
            particles->Stop();
        ImGui::TextUnformatted("Playback Time");
        ImGui::SameLine();
        float playback = particles->GetAliveTime();
        ImGui::SetNextItemWidth(95.0f);
        ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 1.0f);
        ImGui::BeginDisabled();
        ImGui::InputFloat("##playbackTime", &playback, 0.0f, 0.0f, "%.3f");
        ImGui::EndDisabled();
        ImGui::PopStyleVar();
        ImGui::Text("Particles      %d", particles->GetLiveCount());
    }
    ImGui::End();
    ImGui::PopStyleVar();
}
