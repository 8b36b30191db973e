#pragma once
#include "script.h"

// Door that breaks when a "NullElem" runs into it.
class BreakableDoor : public Script<BreakableDoor>
{
};
