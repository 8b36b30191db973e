#pragma once
#include <string>

#include "script.h"

// Scripted sequence of level 1.
class Cutscene_L1S3 : public Script<Cutscene_L1S3>
{
    SCRIPT_WITH_PROPERTIES(Cutscene_L1S3)

    std::string setName;
    std::string coffinName;
    std::string flashName;
};
