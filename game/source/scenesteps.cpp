#include "scenesteps.h"

#include "audiosourceinterface.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "objectfactoryinterface.h"
#include "playercontroller.h"
#include "playerstats.h"
#include "scriptlookup.h"

PlayerController* FindPlayerController()
{
    return FindScript<PlayerController>("Player");
}

PlayerStats* FindPlayerStats()
{
    return FindScript<PlayerStats>("Player");
}

ImageInterface* FindImage(const std::string& objectName)
{
    return ImageOf(FindObjectNamed(objectName));
}

AudioSourceInterface* FindAudioSource(const std::string& objectName)
{
    return AudioOf(FindObjectNamed(objectName));
}

void FadeLevelMusic(bool fadeIn)
{
    if (!gServices.factory)
        return;
    const auto holders = gServices.factory->GetObjectsWithScript("GameLogic");
    if (holders.empty())
        return;
    if (AudioSourceInterface* music = holders.front()->GetAudioSource())
        music->Fade(fadeIn);
}

void SetImageAlpha(ImageInterface* image, float alpha)
{
    if (image)
        image->SetAlpha(alpha);
}

void MoveImageAlpha(ImageInterface* image, float target, float step)
{
    if (image)
        image->SetAlpha(MoveTowards(image->GetAlpha(), target, step));
}

void SetImageMaterial(ImageInterface* image, const std::string& material)
{
    if (image)
        image->SetMaterial(material);
}

void ShowImage(ImageInterface* image, const std::string& material)
{
    SetImageMaterial(image, material);
    SetImageAlpha(image, 1.0f);
}
