#pragma once

class AnimatorInterface;
class GameObjectInterface;
class LightInterface;
class TransformInterface;

// What the scripted sequences share: the beat clock, the set-piece and the flash light.
struct ScriptedSequenceFields
{
    bool started = false;
    float time = 0.0f;
    // The one-shot step of the current beat may still run.
    bool armed = true;
    GameObjectInterface* set = nullptr;
    TransformInterface* setTransform = nullptr;
    AnimatorInterface* setAnimator = nullptr;
    GameObjectInterface* flash = nullptr;
    LightInterface* flashLight = nullptr;
};
