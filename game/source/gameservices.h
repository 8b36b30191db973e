#pragma once
#include "staplearguments.h"

// The engine services as the library's setters last stored them; scripts read them. All start null (0.0 for
// the frame time) and keep the last value passed.
extern StapleArguments gServices;
