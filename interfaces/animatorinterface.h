#pragma once
#include <string>

class GameObjectInterface;

// An animator as scripts see it. Times are seconds, frames are the controller's frame numbers; naming a
// state the controller lacks adds an empty one. A script waiting for a state to end waits for
// GetCurrentFrame() >= GetEndFrame().
class AnimatorInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    // Starts the state from its first frame, even when it is the one playing.
    virtual void Play(std::string state) = 0;
    // Plays the controller's default state.
    virtual void Restart() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // The current state's speed; negative plays backwards.
    virtual void SetSpeed(const float& speed) = 0;
    virtual void SetStateSpeed(std::string state, const float& speed) = 0;
    virtual std::string GetCurrentState() const = 0;
    virtual float GetSpeed() const = 0;
    virtual float GetStateSpeed(std::string state) const = 0;
    virtual const bool& IsPaused() const = 0;
    // False while paused.
    virtual bool IsLooping() const = 0;
    virtual float GetStartTime() const = 0;
    virtual float GetEndTime() const = 0;
    virtual float GetCurrentTime() const = 0;
    virtual float GetStartFrame() const = 0;
    virtual float GetEndFrame() const = 0;
    // Rounded to four decimal places, halves going up.
    virtual float GetCurrentFrame() const = 0;

protected:
    ~AnimatorInterface() = default;
};
