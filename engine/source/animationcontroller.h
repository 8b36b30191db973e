#pragma once
#include <string>
#include <unordered_map>
#include <vector>

class XMLNodeList;

// A named range of frames of a model's one animation.
struct AnimationState
{
    std::string stateName;
    float startFrame = 0.0f;
    float endFrame = 0.0f;
    // Left out by a file, or made by looking up an unknown name: plays once at normal speed.
    float speed = 1.0f;
    bool loop = false;
};

// Cuts a model's animation into named states. Read once from "Assets/AnimationControllers"; every Animator
// plays its own copy.
class AnimationController
{
public:
    // Reads the children of a controller file's root, then plays the default state.
    void Deserialize(const XMLNodeList& children);
    // Makes the state current and sets the times (seconds) of its range; an unknown name adds an empty state.
    void Play(const std::string& state);

    std::unordered_map<std::string, AnimationState> states;
    std::string name;
    std::string defaultState;
    std::string currentState;
    float animDuration = 0.0f;
    float totalFrames = 0.0f;
    float startTime = 0.0f;
    float endTime = 0.0f;
    float currentTime = 0.0f;

private:
    void AddState(const XMLNodeList& children);
};
