#include "gameexport.h"

namespace
{
float frameTime = 0.0f;
}

GAME_EXPORT void PassDt(float dt)
{
    frameTime = dt;
}
