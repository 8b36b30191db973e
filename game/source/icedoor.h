#pragma once
#include "script.h"

// Door opened by ice.
class IceDoor : public Script<IceDoor>
{
};
