#pragma once

#include "script.h"

// Pickup that unlocks the melee attack.
class Ankh : public Script<Ankh>
{
};
