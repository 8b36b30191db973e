#include "pausetrigger.h"

#include <algorithm>

#include "cutscenecamera.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "inputinterface.h"
#include "objectfactoryinterface.h"
#include "pausemenu.h"
#include "playercontroller.h"
#include "scriptlookup.h"

namespace
{
constexpr std::uint16_t kEscapeKey = 27;
constexpr std::uint32_t kStartButton = 16;
} // namespace

void PauseTrigger::Start()
{
    Reload();
}

void PauseTrigger::Reload()
{
    pauseMenu = FindScript<PauseMenu>("PauseMenuCanvas");
    ASSERT(pauseMenu, "PauseTrigger. PauseMenu cannot be found");
    fade = FindFade();
    cutsceneCameras.clear();
    for (const GameObjectInterface* object : gServices.factory->GetAllObjects())
        if (auto* camera = ScriptOf<CutsceneCamera>(object))
            cutsceneCameras.push_back(camera);
    player = FindScript<PlayerController>("Player");
}

void PauseTrigger::Update()
{
    InputInterface& input = *gServices.input;
    if (input.IsKeyTriggered(kEscapeKey))
        escapePressSeen = true;
    const bool released = input.IsKeyReleased(kEscapeKey) && std::exchange(escapePressSeen, false);
    if (!pauseMenu || pauseMenu->CountOneFrame() < PauseMenu::kToggleFrames || Blocked())
        return;
    if (released || input.IsButtonTriggered(kStartButton))
        pauseMenu->Open();
}

bool PauseTrigger::Blocked() const
{
    const bool covered = fade && (fade->IsRunning() || (fade->fadeImage && fade->fadeImage->GetAlpha() > 0.0f));
    return covered || (player && player->playerState == PlayerController::kDead) ||
           std::ranges::any_of(cutsceneCameras, [](const CutsceneCamera* camera) { return camera->active; });
}
