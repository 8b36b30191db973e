#pragma once

#include "script.h"

// Flow of the boss level.
class BossLevelController : public Script<BossLevelController>
{
};
