#include "c_collider.h"

#include "assertion.h"

#include <typeinfo>

namespace
{
// Writes the member without a reference, and with one when the values differ (vectors: beyond the tolerance).
template <class C, class Get>
void WriteIfDiffers(XMLWriter& writer, const char* name, const C& self, const C* reference, Get get)
{
    if (!reference || !(get(self) == get(*reference)))
        writer.WriteElement(name, get(self));
}

// Reads the child into field when it carries the name; text that does not convert is reported and changes
// nothing.
template <class T>
bool ReadIfNamed(const XMLNode& child, const char* name, T& field)
{
    if (child.name != name)
        return false;
    XMLReader::ReadValue(child.value, &field);
    return true;
}

template <class C>
std::unique_ptr<Component> CopyOf(const C& collider)
{
    return std::make_unique<C>(collider);
}
} // namespace

std::unique_ptr<Component> Collider::Clone() const
{
    return CopyOf(*this);
}

const Vector3& Collider::GetSize() const
{
    static const Vector3 kNoSize;
    return kNoSize;
}

bool Collider::Compare(const Component& other) const
{
    const bool sameClass = typeid(other) == typeid(*this);
    ASSERT(sameClass, GetElementName() + " compare function kena nullptr");
    return sameClass && Equals(static_cast<const Collider&>(other));
}

bool Collider::Equals(const Collider& other) const
{
    // The enabled flag counts, so a prefab instance whose collider was switched off saves it.
    return IsEnabled() == other.IsEnabled() && type_ == other.type_ && offset_ == other.offset_ &&
           trigger_ == other.trigger_ && ShapeEquals(other);
}

void Collider::SerializeShape(XMLWriter& writer, const Component* prefab) const
{
    const Collider* reference =
        prefab && typeid(*prefab) == typeid(*this) ? static_cast<const Collider*>(prefab) : nullptr;
    if (reference && Equals(*reference))
        return;
    writer.BeginElement(GetElementName());
    WriteIfDiffers(writer, "Enabled", *this, reference, [](const Collider& c) { return c.IsEnabled(); });
    WriteIfDiffers(writer, "Offset", *this, reference, [](const Collider& c) { return c.offset_; });
    WriteIfDiffers(writer, "Trigger", *this, reference, [](const Collider& c) { return c.trigger_; });
    WriteShape(writer, reference);
    writer.EndElement();
}

void Collider::DeserializeShape(const XMLNode& element)
{
    if (element.name != GetElementName())
        return;
    for (const XMLNode* child : element.children)
    {
        bool enabled = IsEnabled();
        if (ReadIfNamed(*child, "Enabled", enabled))
            StoreEnabled(enabled);
        else if (!ReadIfNamed(*child, "Offset", offset_) && !ReadIfNamed(*child, "Trigger", trigger_))
            ReadShape(*child);
    }
}

void Collider::StorePositive(float value, float& field)
{
    if (value > 0.0f)
        field = value;
}

std::unique_ptr<Component> BoxCollider::Clone() const
{
    return CopyOf(*this);
}

void BoxCollider::SetSize(const Vector3& size)
{
    if (size.x > 0.0f && size.y > 0.0f && size.z > 0.0f)
        size_ = size;
}

bool BoxCollider::ShapeEquals(const Collider& other) const
{
    return size_ == static_cast<const BoxCollider&>(other).size_;
}

void BoxCollider::WriteShape(XMLWriter& writer, const Collider* reference) const
{
    WriteIfDiffers(writer, "Size", *this, static_cast<const BoxCollider*>(reference),
                   [](const BoxCollider& c) { return c.size_; });
}

bool BoxCollider::ReadShape(const XMLNode& child)
{
    return ReadIfNamed(child, "Size", size_);
}

bool RoundCollider::ShapeEquals(const Collider& other) const
{
    return IsZero(radius_ - static_cast<const RoundCollider&>(other).radius_);
}

void RoundCollider::WriteShape(XMLWriter& writer, const Collider* reference) const
{
    WriteIfDiffers(writer, "Radius", *this, static_cast<const RoundCollider*>(reference),
                   [](const RoundCollider& c) { return c.radius_; });
}

bool RoundCollider::ReadShape(const XMLNode& child)
{
    return ReadIfNamed(child, "Radius", radius_);
}

std::unique_ptr<Component> SphereCollider::Clone() const
{
    return CopyOf(*this);
}

std::unique_ptr<Component> CapsuleCollider::Clone() const
{
    return CopyOf(*this);
}

bool CapsuleCollider::ShapeEquals(const Collider& other) const
{
    return RoundCollider::ShapeEquals(other) && IsZero(height_ - static_cast<const CapsuleCollider&>(other).height_);
}

void CapsuleCollider::WriteShape(XMLWriter& writer, const Collider* reference) const
{
    RoundCollider::WriteShape(writer, reference);
    WriteIfDiffers(writer, "Height", *this, static_cast<const CapsuleCollider*>(reference),
                   [](const CapsuleCollider& c) { return c.height_; });
}

bool CapsuleCollider::ReadShape(const XMLNode& child)
{
    return RoundCollider::ReadShape(child) || ReadIfNamed(child, "Height", height_);
}
