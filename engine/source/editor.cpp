#include "editor.h"

#include <algorithm>
#include <iostream>

Editor::Editor() : System(SystemId::Editor)
{
}

void Editor::Init()
{
    CreateProfilerEntries();
    std::cout << "System: Editor \t\t- OK" << std::endl;
}

void Editor::CreateProfilerEntries()
{
    profiler_.clear();
    for (SystemId id : {SystemId::Input, SystemId::Messaging, SystemId::Graphics, SystemId::Editor, SystemId::AI,
                        SystemId::Logic, SystemId::Audio, SystemId::Physics})
        profiler_.push_back(ProfilerEntry{id});
}

void Editor::RecordSystemTime(SystemId id, float updateSeconds, float frameSeconds)
{
    frameTime_ = frameSeconds;
    const auto entry = std::find_if(profiler_.begin(), profiler_.end(),
                                    [id](const ProfilerEntry& candidate) { return candidate.id == id; });
    if (entry == profiler_.end())
        return;
    // A frame time of zero (before the first measured frame) would make the share infinite.
    const float share = frameSeconds > 0.0f ? updateSeconds / frameSeconds * 100.0f : 0.0f;
    std::shift_left(entry->history.begin(), entry->history.end(), 1);
    entry->history.back() = share < 1e-6f ? 0.0f : share;
    entry->updated = true;
}
