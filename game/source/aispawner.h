#pragma once

#include "script.h"

// Brings enemies into a level over time.
class AISpawner : public Script<AISpawner>
{
};
