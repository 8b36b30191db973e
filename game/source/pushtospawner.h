#pragma once
#include "script.h"

class AISpawner;

// Retunes a level's spawner and queues a wave.
class PushToSpawner : public Script<PushToSpawner>
{
public:
    AISpawner* spawner = nullptr;
};
