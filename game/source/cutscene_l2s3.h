#pragma once
#include <string>

#include "script.h"
#include "scriptedsequence.h"

// Scripted sequence of level 2.
class Cutscene_L2S3 : public Script<Cutscene_L2S3>, public ScriptedSequenceFields
{
    SCRIPT_WITH_PROPERTIES(Cutscene_L2S3)

    std::string setName;
    std::string flashName;
};
