#pragma once

#include "script.h"

// Bomb that arms itself when the player comes near.
class PuzzleBomb : public Script<PuzzleBomb>
{
};
