#pragma once
#include "script.h"

class AudioSourceInterface;

// Holds a level's music, which fades in as the level starts.
class GameLogic : public Script<GameLogic>
{
public:
    void Reload() override;
    void Start() override;

    AudioSourceInterface* music = nullptr;
};
