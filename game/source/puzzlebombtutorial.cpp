#include "puzzlebombtutorial.h"

void PuzzleBombTutorial::Reload()
{
    FindPartners();
}

void PuzzleBombTutorial::Start()
{
    Reload();
}

// Armed only by the cutscene's bomb trigger.
void PuzzleBombTutorial::Update()
{
    if (armed)
        Burn(*owner);
}
