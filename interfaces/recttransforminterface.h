#pragma once
#include "TorvaneMath.h"
#include "matrix3.h"
#include "matrix4.h"

class GameObjectInterface;

// A UI element's place as scripts see it: centre in canvas units (z is its depth), size, and a rotation in
// degrees about the screen normal.
class RectTransformInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetPosition(const Vector3& position) = 0;
    virtual void SetScale(const Vector2& scale) = 0;
    // Rebuilds the rotation matrix.
    virtual void SetRotation(const float& degrees) = 0;
    // Leaves the angle as it was.
    virtual void SetRotationMatrix(const Matrix3& rotation) = 0;
    virtual const Vector3& GetPosition() const = 0;
    virtual const Vector2& GetScale() const = 0;
    virtual const float& GetRotation() const = 0;
    virtual const Matrix3& GetRotationMatrix() const = 0;
    // The sprite quad's model matrix in the game view, for a canvas of that many pixels per unit.
    virtual Matrix4 GetModelMatrix(const unsigned& pixelsPerUnit) const = 0;

protected:
    ~RectTransformInterface() = default;
};
