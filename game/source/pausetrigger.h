#pragma once
#include <vector>

#include "script.h"

class CutsceneCamera;
class FadeInFadeOut;
class PauseMenu;

// Opens the pause menu during play.
class PauseTrigger : public Script<PauseTrigger>
{
public:
    PauseMenu* pauseMenu = nullptr;
    FadeInFadeOut* fade = nullptr;
    std::vector<CutsceneCamera*> cutsceneCameras;
};
