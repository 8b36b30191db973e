#include <string>
#include <vector>

#include "gameexport.h"

class InputInterface;
class ObjectFactoryInterface;
class PhysicsInterface;
class AudioInterface;
class CoreInterface;

namespace
{
InputInterface* input = nullptr;
ObjectFactoryInterface* factory = nullptr;
PhysicsInterface* physics = nullptr;
AudioInterface* audio = nullptr;
CoreInterface* core = nullptr;
float frameTime = 0.0f;
}

GAME_EXPORT void PassInput(InputInterface* passed)
{
    input = passed;
}

GAME_EXPORT void PassFactory(ObjectFactoryInterface* passed)
{
    factory = passed;
}

GAME_EXPORT void PassPhysics(PhysicsInterface* passed)
{
    physics = passed;
}

GAME_EXPORT void PassAudio(AudioInterface* passed)
{
    audio = passed;
}

GAME_EXPORT void PassCore(CoreInterface* passed)
{
    core = passed;
}

GAME_EXPORT void PassDt(float dt)
{
    frameTime = dt;
}

// The caller owns the list. No script is written yet.
GAME_EXPORT std::vector<std::string>* GetMonoList()
{
    return new std::vector<std::string>;
}
