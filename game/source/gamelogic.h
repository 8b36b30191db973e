#pragma once
#include "script.h"

class AudioSourceInterface;

// Holds a level's music.
class GameLogic : public Script<GameLogic>
{
public:
    AudioSourceInterface* music = nullptr;
};
