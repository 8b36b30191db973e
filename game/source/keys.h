#pragma once
#include "script.h"

// No behaviour: objects carry it as a marker.
class Keys : public Script<Keys>
{
};
