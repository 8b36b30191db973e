#include "animationcontroller.h"

#include "assertion.h"
#include "serializer.h"

void AnimationController::Deserialize(const XMLNodeList& children)
{
    for (const XMLNode* child : children)
    {
        const std::string_view key = child->name;
        if (key == "AnimationControllerName")
            name = child->value;
        else if (key == "DefaultAnimState")
            currentState = defaultState = child->value;
        else if (key == "AnimDuration")
            XMLReader::ReadValue(child->value, &animDuration);
        else if (key == "TotalFrames")
            XMLReader::ReadValue(child->value, &totalFrames);
        else if (key == "AnimationState")
            AddState(child->children);
    }
    // Every time is a fraction of the frame count.
    if (!Check(totalFrames > 0.0f, "AnimationController " + name + " - TotalFrames must be positive, 1 is used"))
        totalFrames = 1.0f;
    Play(defaultState);
}

void AnimationController::AddState(const XMLNodeList& children)
{
    AnimationState state;
    for (const XMLNode* child : children)
    {
        const std::string_view key = child->name;
        if (key == "StateName")
            state.stateName = child->value;
        else if (key == "StartFrame")
            XMLReader::ReadValue(child->value, &state.startFrame);
        else if (key == "EndFrame")
            XMLReader::ReadValue(child->value, &state.endFrame);
        else if (key == "Speed")
            XMLReader::ReadValue(child->value, &state.speed);
        else if (key == "Loop")
            XMLReader::ReadValue(child->value, &state.loop);
    }
    // The first state of a name wins.
    states.try_emplace(state.stateName, state);
}

void AnimationController::Play(const std::string& state)
{
    currentState = state;
    const AnimationState& range = states[state];
    // A controller made empty (an unknown name in the cache) has no frame count yet.
    const float frames = totalFrames > 0.0f ? totalFrames : 1.0f;
    startTime = range.startFrame / frames * animDuration;
    endTime = range.endFrame / frames * animDuration;
    currentTime = startTime;
}
