#pragma once
#include <string>

#include "objectref.h"
#include "script.h"
#include "scriptedsequence.h"

// The final scripted sequence.
class Cutscene_Final : public Script<Cutscene_Final>, public ScriptedSequenceFields
{
    SCRIPT_WITH_PROPERTIES(Cutscene_Final)

    void Reload() override;
    void Start() override;
    void Update() override;
    void OnTriggerEnter(GameObjectInterface* other) override { BeginOnPlayer(other); }

    std::string setName;
    std::string coffinName;
    std::string sourceName;

    GameObjectInterface* coffin = nullptr;
    ObjectRef source;

private:
    // On a confirm press the clock jumps to the time and the next beat's step may run.
    void SkipTo(float target);
    // The beat's step runs once per arming.
    template <class Step>
    void Once(Step step);
    void RemoveSource();
    void StopCoffinParticles() const;
    void DropCoffin() const;
    void Flatten() const;
};
