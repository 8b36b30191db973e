#pragma once

class GameObjectInterface;

// A camera as scripts see it. No setter marks the camera dirty: whoever changes the view or the projection
// also sets the matching flag, and the renderer clears it once it has rebuilt that matrix.
class CameraInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    // Vertical field of view in degrees.
    virtual void SetFOV(const float& degrees) = 0;
    virtual void SetNear(const float& distance) = 0;
    virtual void SetFar(const float& distance) = 0;
    // Kept for the editor camera's controls; the renderer does not read it.
    virtual void SetMouseSensitivity(const float& sensitivity) = 0;
    virtual void SetViewDirty(const bool& dirty) = 0;
    virtual void SetProjectionDirty(const bool& dirty) = 0;
    virtual const float& GetFOV() const = 0;
    virtual const float& GetNear() const = 0;
    virtual const float& GetFar() const = 0;
    virtual const float& GetMouseSensitivity() const = 0;
    virtual const bool& IsViewDirty() const = 0;
    virtual const bool& IsProjectionDirty() const = 0;

protected:
    ~CameraInterface() = default;
};
