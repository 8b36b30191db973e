// The library's exported boundary: the six setters, the random seed, the script-name list and one factory per
// name. Names and factories both come from GAME_SCRIPTS, so they cannot disagree.
#include <cstdint>
#include <string>
#include <vector>

#include "allscripts.h"
#include "gameexport.h"
#include "gameservices.h"
#include "scripthelpers.h"
#include "scriptlist.h"

namespace
{
#define SCRIPT_NAME(Name) #Name,
const std::vector<std::string> scriptNames = {GAME_SCRIPTS(SCRIPT_NAME, SCRIPT_NAME)};
#undef SCRIPT_NAME
} // namespace

GAME_EXPORT void PassInput(InputInterface* passed)
{
    gServices.input = passed;
}

GAME_EXPORT void PassFactory(ObjectFactoryInterface* passed)
{
    gServices.factory = passed;
}

GAME_EXPORT void PassPhysics(PhysicsInterface* passed)
{
    gServices.physics = passed;
}

GAME_EXPORT void PassAudio(AudioInterface* passed)
{
    gServices.audio = passed;
}

GAME_EXPORT void PassCore(CoreInterface* passed)
{
    gServices.core = passed;
}

GAME_EXPORT void PassDt(float dt)
{
    gServices.dt = dt;
}

// Starts the scripts' random draws from the seed, so a run of the game can be played again the same way.
GAME_EXPORT void SeedScriptRandom(std::uint32_t seed)
{
    SeedRandom(seed);
}

// A copy the caller owns and deletes.
GAME_EXPORT std::vector<std::string>* GetMonoList()
{
    return new std::vector<std::string>(scriptNames);
}

#define SCRIPT_FACTORY(Name)                                                                                      \
    GAME_EXPORT MonoBehaviorInterface* Create##Name(GameObjectInterface* owner)                                   \
    {                                                                                                             \
        return CreateScript<Name>(owner);                                                                         \
    }
// A listed name without a class: the engine counts it as failed.
#define NO_SCRIPT_FACTORY(Name)                                                                                   \
    GAME_EXPORT MonoBehaviorInterface* Create##Name(GameObjectInterface* /*owner*/)                               \
    {                                                                                                             \
        return nullptr;                                                                                           \
    }
GAME_SCRIPTS(SCRIPT_FACTORY, NO_SCRIPT_FACTORY)
