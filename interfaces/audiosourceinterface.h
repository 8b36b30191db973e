#pragma once
#include <string>

class GameObjectInterface;

// An audio source as scripts see it. Play, Pause, Stop and Fade are requests the audio system carries out
// at the next message delivery.
class AudioSourceInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    // Clears the paused flag.
    virtual void Play() = 0;
    virtual void Pause(bool paused) = 0;
    // Clears the paused flag.
    virtual void Stop() = 0;
    // Over one second of output: up to the source's volume (true) or down to silence (false).
    virtual void Fade(bool fadeIn) = 0;
    virtual bool IsPaused() const = 0;
    // Binds the loaded sound of that name; an empty or unknown name changes nothing.
    virtual void SetClip(const std::string& name) = 0;

protected:
    ~AudioSourceInterface() = default;
};
