#pragma once
#include "script.h"

// Debug shortcuts.
class CheatCodes : public Script<CheatCodes>
{
public:
    bool godMode = false;
};
