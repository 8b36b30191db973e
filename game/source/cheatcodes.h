#pragma once

#include "script.h"

// Debug shortcuts.
class CheatCodes : public Script<CheatCodes>
{
};
