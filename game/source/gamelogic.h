#pragma once

#include "script.h"

// Holds a level's music.
class GameLogic : public Script<GameLogic>
{
};
