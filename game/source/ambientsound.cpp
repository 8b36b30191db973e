#include "ambientsound.h"

#include "audiosourceinterface.h"
#include "gameobjectinterface.h"

void AmbientSound::Start()
{
    clip = owner->GetName();
    if (AudioSourceInterface* source = owner->GetAudioSource())
    {
        source->SetClip(clip);
        source->Play();
    }
}
