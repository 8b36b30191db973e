#pragma once
// The engine's own systems for a Core without a window, so frames and the window procedure can be tried
// headless. A test may put a stand-in (a RecordingSystem) in Logic's place to look into the frame.
#include "aicontroller.h"
#include "audiosystem.h"
#include "core.h"
#include "editor.h"
#include "graphics.h"
#include "inputsystem.h"
#include "logic.h"
#include "physicssystem.h"

#include <functional>
#include <memory>

inline Core::SystemCreator EngineSystemsWithoutWindow(std::function<std::unique_ptr<System>()> logic = {})
{
    return [logic](SystemId id) -> std::unique_ptr<System> {
        switch (id)
        {
        case SystemId::Input:
            return std::make_unique<InputSystem>(nullptr, [] { return gCore ? gCore->GetFrameTime() : 0.0f; });
        case SystemId::Logic:
            return logic ? logic() : std::make_unique<Logic>();
        case SystemId::Graphics:
            return std::make_unique<Graphics>(1280, 800);
        case SystemId::Physics:
            return std::make_unique<PhysicsSystem>();
        case SystemId::Audio:
            return std::make_unique<AudioSystem>();
        case SystemId::Editor:
            return std::make_unique<Editor>();
        case SystemId::AI:
            return std::make_unique<AIController>();
        default:
            return nullptr;
        }
    };
}
