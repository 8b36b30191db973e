#include "fixedsteps.h"

#include "core.h"

void RunFixedSteps(Core& core, int frames, const std::function<void(int frame)>& beforeFrame)
{
    if (core.GetTargetFrameRate() <= 0.0f)
        core.SetTargetFrameRate(Core::kDefaultFrameRate);
    for (int frame = 0; frame < frames && core.IsRunning(); ++frame)
    {
        if (beforeFrame)
            beforeFrame(frame);
        core.PumpMessages();
        // The reset gives the frame the target frame time; Frame itself measures nothing.
        core.ResetFrameTimer();
        core.Frame();
    }
}

MainLoop FixedStepLoop(int frames, std::function<void(int frame)> beforeFrame)
{
    return [frames, beforeFrame = std::move(beforeFrame)](Core& core) { RunFixedSteps(core, frames, beforeFrame); };
}
