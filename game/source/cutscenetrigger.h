#pragma once
#include <string>

#include "script.h"

// Starts a cutscene camera when the player enters.
class CutsceneTrigger : public Script<CutsceneTrigger>
{
    SCRIPT_WITH_PROPERTIES(CutsceneTrigger)

    std::string cameraName;
};
