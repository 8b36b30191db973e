#pragma once
// The engine's own systems for a Core without a window, so frames and the window procedure can be tried
// headless. A test may put a stand-in (a RecordingSystem) in Logic's place to look into the frame.
#include "aicontroller.h"
#include "audiosystem.h"
#include "core.h"
#include "editor.h"
#include "graphics.h"
#include "idlesystem.h"
#include "inputsystem.h"
#include "logic.h"
#include "physicssystem.h"

#include <functional>
#include <memory>

inline Core::SystemCreator EngineSystemsWithoutWindow(std::function<std::unique_ptr<System>()> logic = {})
{
    return [logic, engine = EngineSystems(nullptr)](SystemId id) {
        return id == SystemId::Logic && logic ? logic() : engine(id);
    };
}

// The renderer without a window and the editor; every other system idle.
inline Core::SystemCreator RendererAndEditorOnly()
{
    return [](SystemId id) -> std::unique_ptr<System> {
        if (id == SystemId::Graphics)
            return std::make_unique<Graphics>(nullptr, 1280, 800);
        if (id == SystemId::Editor)
            return std::make_unique<Editor>();
        return std::make_unique<IdleSystem>(id);
    };
}
