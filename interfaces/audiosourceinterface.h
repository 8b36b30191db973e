#pragma once

class GameObjectInterface;

// An audio source as scripts see it.
class AudioSourceInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;

protected:
    ~AudioSourceInterface() = default;
};
