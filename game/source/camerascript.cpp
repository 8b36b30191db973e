#include "camerascript.h"

void CameraScript::Shake(float duration, float strength)
{
    if (shakeRunning && strength <= shakeStrength)
    {
        shakeTime += duration * 0.5f;
        shakeStrength += strength * 0.5f;
        return;
    }
    shakeRunning = true;
    shakeTime = duration;
    shakeStrength = strength;
}
