#pragma once

#include "script.h"

// Removes itself and a light once the player comes near.
class DisappearingAct : public Script<DisappearingAct>
{
};
