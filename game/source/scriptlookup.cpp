#include "scriptlookup.h"

#include "audiosourceinterface.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "objectfactoryinterface.h"
#include "playercontroller.h"
#include "playerstats.h"

GameObjectInterface* FindLiveObject(const std::string& name)
{
    return gServices.factory ? gServices.factory->FindObject(name) : nullptr;
}

FadeInFadeOut* FindFade()
{
    return ScriptOf<FadeInFadeOut>("FadeLogic", "FadeInFadeOut");
}

PlayerController* FindPlayerController()
{
    return ScriptOf<PlayerController>("Player", "PlayerController");
}

PlayerStats* FindPlayerStats()
{
    return ScriptOf<PlayerStats>("Player", "PlayerStats");
}

ImageInterface* FindImage(const std::string& objectName)
{
    const GameObjectInterface* object = FindLiveObject(objectName);
    return object ? object->GetImage() : nullptr;
}

AudioSourceInterface* FindAudioSource(const std::string& objectName)
{
    const GameObjectInterface* object = FindLiveObject(objectName);
    return object ? object->GetAudioSource() : nullptr;
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

void StartFadeIn(FadeInFadeOut* fade)
{
    if (!fade)
        return;
    fade->timer = fade->duration;
    fade->fadingIn = true;
    fade->fadingOut = false;
}

void StartFadeOut(FadeInFadeOut* fade)
{
    if (!fade)
        return;
    fade->timer = fade->duration;
    fade->fadingIn = false;
    fade->fadingOut = true;
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
