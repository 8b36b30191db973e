#pragma once

#include "script.h"

// Sinks the arena door while the player stands beyond it.
class BossDoorScript : public Script<BossDoorScript>
{
};
