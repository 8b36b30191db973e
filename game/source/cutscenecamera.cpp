#include "cutscenecamera.h"

#define CUTSCENECAMERA_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, transitionIn, "transitionIn", "TransitionIn") \
    PROPERTY(Class, transitionOut, "transitionOut", "TransitionOut") \
    PROPERTY(Class, cutsceneTime, "cutsceneTime", "CutsceneTime") \
    PROPERTY(Class, nextCamera, "nextCamera", "NextCamera") \
    PROPERTY(Class, subtitleName, "subtitleName", "SubtitleName") \
    PROPERTY(Class, audioName, "audioName", "AudioName") \
    PROPERTY(Class, panning, "panning", "Panning") \
    PROPERTY(Class, panSpeed, "panSpeed", "PanSpeed") \
    PROPERTY(Class, panDirection, "panDirection", "PanDirection") \
    PROPERTY(Class, shake, "shake", "Shake") \
    PROPERTY(Class, shakeAmount, "shakeAmount", "ShakeAmount")

DEFINE_SCRIPT_PROPERTIES(CutsceneCamera, CUTSCENECAMERA_PROPERTIES)
