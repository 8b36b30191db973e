#pragma once

#include "script.h"

// Tutorial sign.
class Tutorial : public Script<Tutorial>
{
};
