#pragma once

class GameObjectInterface;

// A UI canvas as scripts see it.
class CanvasInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    // Pixels per canvas unit, for every element of the canvas.
    virtual void SetPPU(const unsigned& pixelsPerUnit) = 0;
    virtual const unsigned& GetPPU() const = 0;

protected:
    ~CanvasInterface() = default;
};
