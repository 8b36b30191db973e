#pragma once
#include "script.h"

// Door opened by fire.
class FireDoor : public Script<FireDoor>
{
};
