#pragma once

#include "script.h"

// Grows the slash effect of a melee hit and removes it.
class MeleeFeedback : public Script<MeleeFeedback>
{
};
