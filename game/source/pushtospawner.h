#pragma once

#include "script.h"

// Retunes a level's spawner and queues a wave.
class PushToSpawner : public Script<PushToSpawner>
{
};
