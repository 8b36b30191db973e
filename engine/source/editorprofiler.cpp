// The editor's profiler: the per-system history of frame shares, the Performance and Systems windows.
#include "editor.h"

#include "core.h"
#include "imgui_compat.h"

#include <algorithm>
#include <cstdio>

namespace
{
// The systems worth watching while editing; the others are not updated then.
constexpr SystemId kEditingSystems[] = {SystemId::Graphics, SystemId::Editor, SystemId::Input, SystemId::Messaging};
// The Systems histogram has one bar per id below this.
constexpr int kSystemBars = 8;
constexpr float kSixtyHertzFrame = 0.016666668f;
}

void Editor::CreateProfilerEntries()
{
    profiler_.clear();
    for (SystemId id : {SystemId::Input, SystemId::Messaging, SystemId::Graphics, SystemId::Editor, SystemId::AI,
                        SystemId::Logic, SystemId::Audio, SystemId::Physics})
        profiler_.emplace(id, ProfilerEntry{});
}

void Editor::RecordSystemTime(SystemId id, float updateSeconds, float frameSeconds)
{
    frameTime_ = frameSeconds;
    const auto entry = profiler_.find(id);
    if (entry == profiler_.end())
        return;
    auto& history = entry->second.history;
    // A frame time of zero (before the first measured frame) would make the share infinite.
    const float share = frameSeconds > 0.0f ? updateSeconds / frameSeconds * 100.0f : 0.0f;
    std::shift_left(history.begin(), history.end(), 1);
    history.back() = share < 1e-6f ? 0.0f : share;
    entry->second.updated = true;
}

void Editor::ShowPerformanceWindow()
{
    const bool corePlaying = gCore && gCore->IsPlaying();
    if (ImGui::Begin("Performance", &performanceOpen_,
                     ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoDocking))
    {
        for (const auto& [id, entry] : profiler_)
        {
            if (!entry.updated || (!corePlaying && std::ranges::find(kEditingSystems, id) == std::end(kEditingSystems)))
                continue;
            ImGui::TextUnformatted(SystemNameMap()[id].c_str());
            char label[64];
            std::snprintf(label, sizeof label, "Frametime: %f##%u",
                          static_cast<double>(entry.history.back() / 100.0f * kSixtyHertzFrame),
                          static_cast<unsigned>(id));
            ImGui::PlotLines(label, entry.history.data(), static_cast<int>(entry.history.size()), 0, "", 0.0f,
                             100.0f);
        }
    }
    ImGui::End();
    (playing_ && !paused_ ? performanceOpenPlaying_ : performanceOpenEditing_) = performanceOpen_;
}

void Editor::ShowSystemsWindow(const PanelRect& place)
{
    PlaceNextWindow(place, false);
    if (ImGui::Begin("Systems", nullptr, ImGuiWindowFlags_HorizontalScrollbar) && gCore)
    {
        // Every id with a bar is listed, measured or not.
        std::map<SystemId, double> times = gCore->SystemTimes();
        for (int id = 0; id < kSystemBars; ++id)
            times.try_emplace(static_cast<SystemId>(id), 0.0);
        double total = 0.0;
        std::string label = "Systems Usage:\n";
        for (const auto& [id, seconds] : times)
        {
            total += seconds;
            label += std::to_string(static_cast<unsigned>(id)) + ". " + SystemNameMap()[id] + "\n";
        }
        float bars[kSystemBars];
        for (int id = 0; id < kSystemBars; ++id)
            bars[id] = total > 0.0 ? static_cast<float>(times[static_cast<SystemId>(id)] / total) : 0.0f;
        ImGui::PlotHistogram(label.c_str(), bars, kSystemBars, 0, nullptr, 0.0f, 1.0f, ImVec2(0.0f, 140.0f));
    }
    ImGui::End();
}
