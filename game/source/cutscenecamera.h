#pragma once
#include <string>

#include "script.h"

// Camera of an in-level cutscene.
class CutsceneCamera : public Script<CutsceneCamera>
{
    SCRIPT_WITH_PROPERTIES(CutsceneCamera)

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
};
