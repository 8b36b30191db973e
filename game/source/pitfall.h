#pragma once
#include "script.h"

class PlayerController;

// Pit that kills whatever falls in.
class Pitfall : public Script<Pitfall>
{
public:
    PlayerController* playerController = nullptr;
};
