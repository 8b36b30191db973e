#pragma once

class GameObjectInterface;

// An animator as scripts see it.
class AnimatorInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;

protected:
    ~AnimatorInterface() = default;
};
