#pragma once

#include "script.h"

// Ambient sound of a level.
class AmbientSound : public Script<AmbientSound>
{
};
