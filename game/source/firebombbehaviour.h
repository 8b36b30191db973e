#pragma once

#include "script.h"

// Fire bomb.
class FireBombBehaviour : public Script<FireBombBehaviour>
{
};
