#pragma once
#include <string>

#include "script.h"

// Plays the sound named like its object, through the object's AudioSource.
class AmbientSound : public Script<AmbientSound>
{
public:
    void Start() override;

    std::string clip;
};
