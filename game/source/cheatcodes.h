#pragma once
#include "script.h"

// Debug shortcuts: Ctrl or the gamepad's Back with a second key reload, skip the level, switch
// invulnerability or unlock the player's skills.
class CheatCodes : public Script<CheatCodes>
{
public:
    void Update() override;

    bool godMode = false;

private:
    void Act(int action);
    void SwitchGodMode();
    void Unlock();
};
