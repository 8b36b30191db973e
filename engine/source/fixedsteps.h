#pragma once
#include <functional>

class Core;

// What start-up runs once the level is loaded: Core::Run for the game, frames at a fixed step for runs that
// must come out the same on every machine (the level tests, the scripted playthrough).
using MainLoop = std::function<void(Core& core)>;

// Runs the frames as a machine that always keeps the target frame time would: every frame measures the
// target frame time (1/60 s at the default rate and time scale), whatever the clock says. beforeFrame is
// called with the frame's number before the window's events are pumped, so a caller can push input for it.
// Stops early once running is switched off.
void RunFixedSteps(Core& core, int frames, const std::function<void(int frame)>& beforeFrame = {});

// The same, as a loop start-up can be handed.
MainLoop FixedStepLoop(int frames, std::function<void(int frame)> beforeFrame = {});
