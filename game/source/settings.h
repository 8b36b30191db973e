#pragma once

#include "script.h"

// Settings menu.
class Settings : public Script<Settings>
{
};
