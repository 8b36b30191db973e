#pragma once
#include "script.h"

// Tutorial sign.
class Tutorial : public Script<Tutorial>
{
public:
    bool counted = false;
};
