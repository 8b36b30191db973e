#pragma once

#include "script.h"

// Credits screen.
class Credits : public Script<Credits>
{
};
