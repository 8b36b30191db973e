#pragma once
#include "script.h"

class AISpawner;

// Retunes the level's spawner "AISpawner1"; as "GymSpawner" it also queues a wave.
class PushToSpawner : public Script<PushToSpawner>
{
public:
    void Reload() override;
    void Start() override;

    AISpawner* spawner = nullptr;
};
