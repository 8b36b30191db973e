#pragma once

class GameObjectInterface;

// The object the audio system hears from, as scripts see it.
class AudioListenerInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;

protected:
    ~AudioListenerInterface() = default;
};
