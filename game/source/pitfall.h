#pragma once

#include "script.h"

// Pit that kills whatever falls in.
class Pitfall : public Script<Pitfall>
{
};
