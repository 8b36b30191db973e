#include "pausetrigger.h"

#include <algorithm>

#include "cutscenecamera.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "objectfactoryinterface.h"
#include "pausemenu.h"
#include "scriptlookup.h"

namespace
{
constexpr std::uint16_t kEscapeKey = 27;
constexpr std::uint32_t kStartButton = 16;
constexpr std::int32_t kClosedFrames = 15;
} // namespace

void PauseTrigger::Start()
{
    pauseMenu = FindScript<PauseMenu>("PauseMenuCanvas", "PauseMenu");
    ASSERT(pauseMenu, "PauseTrigger. PauseMenu cannot be found");
    fade = FindFade();
    cutsceneCameras.clear();
    for (const GameObjectInterface* object : gServices.factory->GetAllObjects())
        if (auto* camera = ScriptOf<CutsceneCamera>(object, "CutsceneCamera"))
            cutsceneCameras.push_back(camera);
}

void PauseTrigger::Update()
{
    InputInterface& input = *gServices.input;
    if (input.IsKeyTriggered(kEscapeKey))
        escapePressSeen = true;
    const bool released = input.IsKeyReleased(kEscapeKey) && std::exchange(escapePressSeen, false);
    if (!pauseMenu || pauseMenu->frameCount++ < kClosedFrames || Blocked())
        return;
    if (released || input.IsButtonTriggered(kStartButton))
        pauseMenu->Open();
}

bool PauseTrigger::Blocked() const
{
    return (fade && fade->IsRunning()) ||
           std::ranges::any_of(cutsceneCameras, [](const CutsceneCamera* camera) { return camera->active; });
}
