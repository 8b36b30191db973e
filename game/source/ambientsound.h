#pragma once
#include <string>

#include "script.h"

// Ambient sound of a level.
class AmbientSound : public Script<AmbientSound>
{
public:
    std::string clip;
};
