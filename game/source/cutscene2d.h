#pragma once
#include <string>

#include "script.h"

// Cutscene of 2D panels.
class Cutscene2D : public Script<Cutscene2D>
{
    SCRIPT_WITH_PROPERTIES(Cutscene2D)

    int cutscene = 0;
    std::string nextLevel;
};
