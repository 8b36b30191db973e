#pragma once
#include "TorvaneMath.h"
#include "matrix3.h"
#include "matrix4.h"

#include <vector>

class GameObjectInterface;

// Position, rotation (Euler degrees) and scale of an object, with the axes scripts steer by.
class TransformInterface
{
public:
    // Stores the flag; no system is told.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void UpdateAxes() = 0;
    virtual Vector3 GetForward() const = 0;
    virtual Vector3 GetRight() const = 0;
    virtual Vector3 GetUp() const = 0;
    // Turns the forward axis toward a point.
    virtual void LookAt(const Vector3& target) = 0;
    virtual void SetPosition(const Vector3& position) = 0;
    // Rebuilds the rotation matrix and the axes.
    virtual void SetRotation(const Vector3& degrees) = 0;
    virtual void SetScale(const Vector3& scale) = 0;
    // Leaves the axes as they are.
    virtual void SetRotationMatrix(const Matrix3& rotation) = 0;
    // Stores the quaternion only.
    virtual void SetQuaternion(const Quaternion& quaternion) = 0;
    virtual void SetRotationByQuaternion(const Vector3& degrees) = 0;
    virtual const Vector3& GetPosition() const = 0;
    virtual const Vector3& GetRotation() const = 0;
    virtual const Vector3& GetScale() const = 0;
    virtual const Matrix3& GetRotationMatrix() const = 0;
    virtual const Quaternion& GetQuaternion() const = 0;
    virtual Vector3 GetEulerFromQuaternion() const = 0;
    // The local matrix: no parent enters it.
    virtual Matrix4 GetModelMatrix() const = 0;
    // Own position plus every ancestor's; their rotations and scales do not enter it.
    virtual Vector3 GetWorldPosition() const = 0;
    virtual TransformInterface* GetParent() const = 0;
    // Relinks without moving: the position stays as it is, now relative to the new parent.
    virtual void SetParent(TransformInterface* parent) = 0;
    // Both keep the child's world position.
    virtual void AddChild(TransformInterface* child) = 0;
    virtual void RemoveChild(TransformInterface* child) = 0;
    virtual const std::vector<TransformInterface*>& GetChildren() const = 0;
    virtual GameObjectInterface* GetGameObject() const = 0;

protected:
    ~TransformInterface() = default;
};
