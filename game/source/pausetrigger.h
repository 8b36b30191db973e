#pragma once
#include <vector>

#include "script.h"

class CutsceneCamera;
class FadeInFadeOut;
class PauseMenu;

// Opens the pause menu during play, but not while a fade or a cutscene camera runs.
class PauseTrigger : public Script<PauseTrigger>
{
public:
    void Start() override;
    void Update() override;

    PauseMenu* pauseMenu = nullptr;
    FadeInFadeOut* fade = nullptr;
    std::vector<CutsceneCamera*> cutsceneCameras;
    // The Escape press being released began while this script ran: the press that closed the menu did not.
    bool escapePressSeen = false;

private:
    bool Blocked() const;
};
