#include "c_transform.h"

#include "assertion.h"

#include <algorithm>

namespace
{
const auto kMembers = MemberTable<Transform, bool, Vector3, Vector3, Vector3>{
    EnabledMember<Transform>(),
    RefAccessors<Transform>("Position", &Transform::GetPosition, &Transform::SetPosition),
    RefAccessors<Transform>("Rotation", &Transform::GetRotation, &Transform::SetRotation),
    RefAccessors<Transform>("Scale", &Transform::GetScale, &Transform::SetScale),
};

EulerAngles RadiansOf(const Vector3& degrees)
{
    return {DegreesToRadians(degrees.x), DegreesToRadians(degrees.y), DegreesToRadians(degrees.z)};
}

Vector3 DegreesOf(const EulerAngles& radians)
{
    return {RadiansToDegrees(radians.x), RadiansToDegrees(radians.y), RadiansToDegrees(radians.z)};
}

// Reports, and answers true, when child is parent or one of its ancestors: the link would close a loop.
bool LinkWouldLoop(const TransformInterface* parent, const TransformInterface* child)
{
    for (const TransformInterface* link = parent; link; link = link->GetParent())
        if (link == child)
        {
            ASSERT(false, "Transform - a transform cannot be its own ancestor");
            return true;
        }
    return false;
}
} // namespace

Transform::Transform() : ComponentBase(CompEnum::Transform)
{
    SetRotation(rotation_);
}

Transform::Transform(const Transform& source)
    : ComponentBase(source), forward_(source.forward_), right_(source.right_), up_(source.up_),
      position_(source.position_), rotation_(source.rotation_), scale_(source.scale_),
      rotationMatrix_(source.rotationMatrix_)
{
    StoreEnabled(true);
    SetParent(source.parent_);
}

Transform::~Transform()
{
    SetParent(nullptr);
    // Directly: each child's SetParent would search this list again, quadratic in the number of children.
    for (TransformInterface* child : children_)
        FromInterface<Transform>(child)->parent_ = nullptr;
}

void Transform::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kMembers);
}

void Transform::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

std::unique_ptr<Component> Transform::Clone() const
{
    return std::make_unique<Transform>(*this);
}

void Transform::PostLoad()
{
    Quaternion turn;
    EulerToQuaternion(RadiansOf(rotation_), &turn);
    SetRotationMatrix(Matrix3(turn));
    UpdateAxes();
}

bool Transform::Compare(const Component& other) const
{
    return CompareMembers(*this, other, kMembers);
}

void Transform::UpdateAxes()
{
    forward_ = (rotationMatrix_ * Vector3(0.0f, 0.0f, 1.0f)).Normalized();
    right_ = (rotationMatrix_ * Vector3(1.0f, 0.0f, 0.0f)).Normalized();
    up_ = (rotationMatrix_ * Vector3(0.0f, 1.0f, 0.0f)).Normalized();
}

void Transform::SetRotation(const Vector3& degrees)
{
    rotation_ = degrees;
    const EulerAngles radians = RadiansOf(degrees);
    const Matrix4 turn = AxisAngleToMatrix4(radians.x, {1.0f, 0.0f, 0.0f}) *
                         AxisAngleToMatrix4(radians.y, {0.0f, 1.0f, 0.0f}) *
                         AxisAngleToMatrix4(radians.z, {0.0f, 0.0f, 1.0f});
    // The block is read column by column into a row-major matrix, so the turn is stored transposed;
    // the game's scripts are written against that (they negate yaw).
    const float* m = turn.m;
    rotationMatrix_ = Matrix3({m[0], m[1], m[2], m[4], m[5], m[6], m[8], m[9], m[10]});
    UpdateAxes();
}

void Transform::SetRotationByQuaternion(const Vector3& degrees)
{
    rotation_ = degrees;
    EulerToQuaternion(RadiansOf(degrees), &quaternion_);
    rotationMatrix_ = Matrix3(quaternion_);
    UpdateAxes();
}

Vector3 Transform::GetEulerFromQuaternion() const
{
    EulerAngles radians;
    QuaternionToEuler(quaternion_, &radians);
    return DegreesOf(radians);
}

Matrix4 Transform::GetModelMatrix() const
{
    return Matrix4::ComposeTRS(position_, rotationMatrix_, scale_);
}

Vector3 Transform::GetWorldPosition() const
{
    Vector3 world = position_;
    for (const TransformInterface* ancestor = parent_; ancestor; ancestor = ancestor->GetParent())
        world += ancestor->GetPosition();
    return world;
}

void Transform::LookAt(const Vector3& target)
{
    const Vector3 toTarget = target - GetWorldPosition();
    if (toTarget.IsZero() || toTarget.HasNaN())
        return;
    const Vector3 forward = toTarget.Normalized();
    Vector3 right = up_.Cross(forward);
    // Looking along the up axis: the current right axis is already square to the new forward.
    right = right.IsZero() ? right_ : right.Normalized();
    const Vector3 up = forward.Cross(right);
    // The rotation matrix holds the axes as its columns. SetRotation stores its turn transposed, so it is
    // handed the angles of this matrix negated.
    const Matrix3 axes({right.x, up.x, forward.x, right.y, up.y, forward.y, right.z, up.z, forward.z});
    EulerAngles radians;
    MatrixToEuler(axes, &radians);
    SetRotation(-DegreesOf(radians));
}

void Transform::SetParent(TransformInterface* parent)
{
    if (parent == parent_ || LinkWouldLoop(parent, this))
        return;
    // The link and the parent's list change together, so neither end can outlive the other unnoticed.
    if (parent_)
        std::erase(FromInterface<Transform>(parent_)->children_, this);
    parent_ = parent;
    if (parent_)
        FromInterface<Transform>(parent_)->children_.push_back(this);
}

void Transform::AddChild(TransformInterface* child)
{
    if (!child || child->GetParent() == this || LinkWouldLoop(this, child))
        return;
    // Leaving the old parent first keeps the world position across the move.
    if (TransformInterface* previous = child->GetParent())
        previous->RemoveChild(child);
    child->SetPosition(child->GetPosition() - GetWorldPosition());
    child->SetParent(this);
}

void Transform::RemoveChild(TransformInterface* child)
{
    // A transform linked to another parent, or to none, is left alone.
    if (!child || child->GetParent() != this)
        return;
    child->SetPosition(child->GetPosition() + GetWorldPosition());
    child->SetParent(nullptr);
}
