#pragma once
#include "component.h"
#include "transforminterface.h"

#include <vector>

// Places an object: local position, rotation as Euler degrees and scale, the rotation matrix derived from
// them, the forward, right and up axes, and parent and child links of its own.
class Transform : public ComponentBase<TransformInterface>
{
public:
    Transform();
    // A copy is enabled and has no children; it is one more child of the source's parent. The quaternion
    // is not copied.
    Transform(const Transform& source);
    Transform& operator=(const Transform&) = delete;
    // Leaves its parent's child list and unlinks its children.
    ~Transform() override;

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "Transform"; }
    std::unique_ptr<Component> Clone() const override;
    // Rebuilds the rotation matrix from the loaded Euler degrees.
    void PostLoad() override;
    bool Compare(const Component& other) const override;

    // Stores the flag without telling anyone; loading "Enabled" goes through the announcing setter.
    void SetEnabled(bool enabled) override { StoreEnabled(enabled); }
    void UpdateAxes() override;
    Vector3 GetForward() const override { return forward_; }
    Vector3 GetRight() const override { return right_; }
    Vector3 GetUp() const override { return up_; }
    void LookAt(const Vector3& target) override;
    void SetPosition(const Vector3& position) override { position_ = position; }
    void SetRotation(const Vector3& degrees) override;
    void SetScale(const Vector3& scale) override { scale_ = scale; }
    void SetRotationMatrix(const Matrix3& rotation) override { rotationMatrix_ = rotation; }
    void SetQuaternion(const Quaternion& quaternion) override { quaternion_ = quaternion; }
    void SetRotationByQuaternion(const Vector3& degrees) override;
    const Vector3& GetPosition() const override { return position_; }
    const Vector3& GetRotation() const override { return rotation_; }
    const Vector3& GetScale() const override { return scale_; }
    const Matrix3& GetRotationMatrix() const override { return rotationMatrix_; }
    const Quaternion& GetQuaternion() const override { return quaternion_; }
    Vector3 GetEulerFromQuaternion() const override;
    Matrix4 GetModelMatrix() const override;
    Vector3 GetWorldPosition() const override;
    TransformInterface* GetParent() const override { return parent_; }
    // Moves the transform from its parent's child list to the new parent's, position unchanged. Refuses a
    // link that would make the transform its own ancestor.
    void SetParent(TransformInterface* parent) override;
    void AddChild(TransformInterface* child) override;
    void RemoveChild(TransformInterface* child) override;
    const std::vector<TransformInterface*>& GetChildren() const override { return children_; }

    // The editor's inspector: stores the degrees and leaves the matrix and the axes alone.
    void SetRotationRaw(const Vector3& degrees) { rotation_ = degrees; }

private:
    Vector3 forward_{0.0f, 0.0f, 1.0f};
    Vector3 right_{1.0f, 0.0f, 0.0f};
    Vector3 up_{0.0f, 1.0f, 0.0f};
    Vector3 position_;
    Vector3 rotation_;
    Vector3 scale_{1.0f, 1.0f, 1.0f};
    Quaternion quaternion_;
    Matrix3 rotationMatrix_;
    TransformInterface* parent_ = nullptr;
    std::vector<TransformInterface*> children_;
};
