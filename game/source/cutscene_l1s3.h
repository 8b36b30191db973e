#pragma once
#include <string>

#include "script.h"
#include "scriptedsequence.h"

// Scripted sequence of level 1.
class Cutscene_L1S3 : public Script<Cutscene_L1S3>, public ScriptedSequenceFields
{
    SCRIPT_WITH_PROPERTIES(Cutscene_L1S3)

    std::string setName;
    std::string coffinName;
    std::string flashName;

    GameObjectInterface* coffin = nullptr;
};
