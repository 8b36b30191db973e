#pragma once
#include <string>

class AudioSourceInterface;
class ImageInterface;
class PlayerController;
class PlayerStats;

// Steps of the presentation scripts on partners found by name. A missing partner is skipped; callers report
// the ones they need.

PlayerController* FindPlayerController();
PlayerStats* FindPlayerStats();
// The image or audio source of the level's object of that name.
ImageInterface* FindImage(const std::string& objectName);
AudioSourceInterface* FindAudioSource(const std::string& objectName);
// The level's music, the audio source of the first object with "GameLogic", fades in or out.
void FadeLevelMusic(bool fadeIn);

void SetImageAlpha(ImageInterface* image, float alpha);
// The alpha moves toward the target by at most the step.
void MoveImageAlpha(ImageInterface* image, float target, float step);
void SetImageMaterial(ImageInterface* image, const std::string& material);
// The material first: it replaces the whole material, alpha included.
void ShowImage(ImageInterface* image, const std::string& material);
