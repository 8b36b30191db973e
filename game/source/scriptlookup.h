#pragma once
#include <string>

#include "gameobjectinterface.h"

class AudioSourceInterface;
class FadeInFadeOut;
class ImageInterface;
class PlayerController;
class PlayerStats;

// Partners of a script, found by name. Every lookup answers null when something is missing, so callers
// report it once and skip what needs it.

// The live object of that name.
GameObjectInterface* FindLiveObject(const std::string& name);

// The object's script registered under the name, only when it is a T: the name matches by substring, so
// "MainMenu" finds "MainMenuVisuals" too.
template <class T>
T* ScriptOn(const GameObjectInterface* object, const std::string& scriptName)
{
    return object ? dynamic_cast<T*>(object->GetScript(scriptName)) : nullptr;
}

template <class T>
T* ScriptOf(const std::string& objectName, const std::string& scriptName)
{
    return ScriptOn<T>(FindLiveObject(objectName), scriptName);
}

// The level's fade: the "FadeInFadeOut" script of "FadeLogic".
FadeInFadeOut* FindFade();
PlayerController* FindPlayerController();
PlayerStats* FindPlayerStats();
// The image of the live object of that name.
ImageInterface* FindImage(const std::string& objectName);

// The audio source of the live object of that name.
AudioSourceInterface* FindAudioSource(const std::string& objectName);
// The level's music, the audio source of the first object with "GameLogic", fades in or out.
void FadeLevelMusic(bool fadeIn);

// Both start a fade of the full duration; a missing fade does nothing.
void StartFadeIn(FadeInFadeOut* fade);
void StartFadeOut(FadeInFadeOut* fade);

// Image steps that skip a missing image.
void SetImageAlpha(ImageInterface* image, float alpha);
// The alpha moves toward the target by at most the step.
void MoveImageAlpha(ImageInterface* image, float target, float step);
void SetImageMaterial(ImageInterface* image, const std::string& material);
// The material first: it replaces the whole material, alpha included.
void ShowImage(ImageInterface* image, const std::string& material);
