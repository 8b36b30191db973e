#pragma once
#include <string>

#include "script.h"

class ImageInterface;
class TransformInterface;
class FadeInFadeOut;
class PlayerController;
class PlayerStats;

// Camera of an in-level cutscene.
class CutsceneCamera : public Script<CutsceneCamera>
{
    SCRIPT_WITH_PROPERTIES(CutsceneCamera)

    void Reload() override;
    void Start() override;
    void Update() override;
    // Starts the shot: the player is locked and the shot's bars, subtitle and voice line come.
    void Activate();

    bool transitionIn = true;
    bool transitionOut = true;
    float cutsceneTime = 0.0f;
    std::string nextCamera;
    std::string subtitleName;
    std::string audioName;
    bool panning = false;
    float panSpeed = 0.0f;
    Vector3 panDirection;
    bool shake = false;
    float shakeAmount = 0.0f;

    TransformInterface* transform = nullptr;
    FadeInFadeOut* fade = nullptr;
    PlayerController* playerController = nullptr;
    PlayerStats* playerStats = nullptr;
    // The letterbox bars.
    ImageInterface* frame1 = nullptr;
    ImageInterface* frame2 = nullptr;
    ImageInterface* subtitle = nullptr;
    bool active = false;
    Vector3 basePosition;
    Vector3 panStep;
    bool ending = false;
    float endTimer = 0.0f;
    bool hasNext = false;

private:
    std::string SubtitleMaterial() const;
    void Shake();
    // True once the shot's time is over and, when it fades out, the fade has run.
    bool Ended();
    void HandOver() const;
    void BackToPlay() const;
    void MoveBars(float target) const;
    void SetBars(float alpha) const;
};
