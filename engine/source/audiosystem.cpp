#include "audiosystem.h"

AudioSystem::AudioSystem() : System(SystemId::Audio)
{
}
