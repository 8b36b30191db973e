#pragma once
#include <string>

#include "script.h"
#include "scriptedsequence.h"

// The final scripted sequence.
class Cutscene_Final : public Script<Cutscene_Final>, public ScriptedSequenceFields
{
    SCRIPT_WITH_PROPERTIES(Cutscene_Final)

    std::string setName;
    std::string coffinName;
    std::string sourceName;

    GameObjectInterface* coffin = nullptr;
    GameObjectInterface* source = nullptr;
};
