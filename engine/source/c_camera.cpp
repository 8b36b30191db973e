#include "c_camera.h"

namespace
{
const auto kMembers = MemberTable<Camera, bool, float, float, float, float>{
    EnabledMember<Camera>(),
    RefAccessors<Camera>("FOV", &Camera::GetFOV, &Camera::SetFOV),
    RefAccessors<Camera>("Near", &Camera::GetNear, &Camera::SetNear),
    RefAccessors<Camera>("Far", &Camera::GetFar, &Camera::SetFar),
    RefAccessors<Camera>("MouseSensitivity", &Camera::GetMouseSensitivity, &Camera::SetMouseSensitivity),
};
} // namespace

void Camera::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kMembers);
}

void Camera::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

std::unique_ptr<Component> Camera::Clone() const
{
    // The enabled flag travels too: a prefab's disabled camera must not become a live game camera.
    auto copy = std::make_unique<Camera>(*this);
    copy->viewDirty_ = true;
    copy->projectionDirty_ = true;
    return copy;
}

bool Camera::Compare(const Component& other) const
{
    return CompareMembers(*this, other, kMembers);
}
