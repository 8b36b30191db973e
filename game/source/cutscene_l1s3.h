#pragma once
#include <string>

#include "script.h"
#include "scriptedsequence.h"

// Scripted sequence of level 1.
class Cutscene_L1S3 : public Script<Cutscene_L1S3>, public ScriptedSequenceFields
{
    SCRIPT_WITH_PROPERTIES(Cutscene_L1S3)

    void Reload() override;
    void Start() override;
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override { BeginOnPlayer(other); }

    std::string setName;
    std::string coffinName;
    std::string flashName;

    GameObjectInterface* coffin = nullptr;
    // The set-piece's way out once the flash has died.
    Vector3 retreatVelocity{0.0f, 0.0f, 15.0f};

private:
    void Retreat();
};
