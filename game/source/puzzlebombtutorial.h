#pragma once
#include "puzzlebomb.h"

// The tutorial's bomb, armed by a cutscene trigger.
class PuzzleBombTutorial : public Script<PuzzleBombTutorial>, public PuzzleBombFields
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;
};
