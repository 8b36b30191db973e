#pragma once
#include <string>

#include "script.h"
#include "scriptedsequence.h"

// Scripted sequence of level 2.
class Cutscene_L2S3 : public Script<Cutscene_L2S3>, public ScriptedSequenceFields
{
    SCRIPT_WITH_PROPERTIES(Cutscene_L2S3)

    void Reload() override;
    void Start() override;
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override { BeginOnPlayer(other); }

    std::string setName;
    std::string flashName;

    // Where the set-piece stood at the start; a skip puts it below that.
    Vector3 startPosition;
    // -15 × normalise((0, 0, 1) - (1, 0, 0)).
    Vector3 exitVelocity{10.6066017f, 0.0f, -10.6066017f};

private:
    void Entry();
    void Hover();
    void Summon();
    void Exit();
};
