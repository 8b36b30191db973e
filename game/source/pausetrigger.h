#pragma once

#include "script.h"

// Opens the pause menu during play.
class PauseTrigger : public Script<PauseTrigger>
{
};
