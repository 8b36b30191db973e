#pragma once
#include <vector>

#include "script.h"

class CutsceneCamera;
class FadeInFadeOut;
class PauseMenu;
class PlayerController;

// Opens the pause menu during play, but not while a fade or a cutscene camera runs, nor while the player lies
// dead or the fade's cover hides the game (the game-over screen waits for its own Enter under it).
class PauseTrigger : public Script<PauseTrigger>
{
public:
    void Start() override;
    void Reload() override;
    void Update() override;

    PauseMenu* pauseMenu = nullptr;
    FadeInFadeOut* fade = nullptr;
    std::vector<CutsceneCamera*> cutsceneCameras;
    PlayerController* player = nullptr;
    // The Escape press being released began while this script ran: the press that closed the menu did not.
    bool escapePressSeen = false;

private:
    bool Blocked() const;
};
