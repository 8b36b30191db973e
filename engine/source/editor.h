#pragma once
#include "system.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// The level editor. It runs only in Core's editor mode and receives no messages.
class Editor : public System
{
public:
    static constexpr std::size_t kProfilerSamples = 150;

    // One system's share of the frame, as percentages, oldest first.
    struct ProfilerEntry
    {
        SystemId id;
        std::array<float, kProfilerSamples> history{};
        bool updated = false;
    };

    Editor();

    void Init() override;
    // One empty history for each system the profiler shows.
    void CreateProfilerEntries();
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Editor"; }
    void HandleMessage(const BaseMessage&) override {}

    // Called after every system update; systems without a profiler entry are ignored.
    void RecordSystemTime(SystemId id, float updateSeconds, float frameSeconds);
    const std::vector<ProfilerEntry>& Profiler() const { return profiler_; }
    float FrameTime() const { return frameTime_; }

    // Objects of the loaded level by id; an id already present keeps its flag.
    void AddObjectEntry(std::uint64_t id, bool flag) { objects_.try_emplace(id, flag); }
    std::unordered_map<std::uint64_t, bool>& Objects() { return objects_; }

private:
    std::vector<ProfilerEntry> profiler_;
    float frameTime_ = 0.0f;
    std::unordered_map<std::uint64_t, bool> objects_;
};
