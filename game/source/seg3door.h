#pragma once

#include "script.h"

// The skeleton door: rises once no skeleton enemy is left.
class Seg3Door : public Script<Seg3Door>
{
};
