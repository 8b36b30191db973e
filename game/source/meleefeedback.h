#pragma once
#include "script.h"

class TransformInterface;

// Grows the slash effect of a melee hit and removes it.
class MeleeFeedback : public Script<MeleeFeedback>
{
public:
    TransformInterface* transform = nullptr;
};
