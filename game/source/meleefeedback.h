#pragma once
#include "script.h"

class TransformInterface;

// Grows the slash effect of a melee hit and removes it.
class MeleeFeedback : public Script<MeleeFeedback>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;

    TransformInterface* transform = nullptr;
};
