#include "gamelogic.h"

#include "audiosourceinterface.h"
#include "gameobjectinterface.h"

void GameLogic::Reload()
{
    music = owner->GetAudioSource();
    ASSERT(music, "GameLogic. Music cannot be found");
}

void GameLogic::Start()
{
    Reload();
    if (music)
        music->Fade(true);
}
