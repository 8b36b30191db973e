#include <string>
#include <vector>

#include "gameexport.h"
#include "staplearguments.h"

namespace
{
// The services as the engine last handed them over.
StapleArguments staples;
}

GAME_EXPORT void PassInput(InputInterface* passed)
{
    staples.input = passed;
}

GAME_EXPORT void PassFactory(ObjectFactoryInterface* passed)
{
    staples.factory = passed;
}

GAME_EXPORT void PassPhysics(PhysicsInterface* passed)
{
    staples.physics = passed;
}

GAME_EXPORT void PassAudio(AudioInterface* passed)
{
    staples.audio = passed;
}

GAME_EXPORT void PassCore(CoreInterface* passed)
{
    staples.core = passed;
}

GAME_EXPORT void PassDt(float dt)
{
    staples.dt = dt;
}

// The caller owns the list. No script is written yet.
GAME_EXPORT std::vector<std::string>* GetMonoList()
{
    return new std::vector<std::string>;
}
