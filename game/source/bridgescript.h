#pragma once

#include "script.h"

// Bridge raised once enough switches are hit.
class BridgeScript : public Script<BridgeScript>
{
    SCRIPT_WITH_PROPERTIES(BridgeScript)

    int switchCount_ = 0;
};
