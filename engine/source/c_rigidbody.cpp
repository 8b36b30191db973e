#include "c_rigidbody.h"

#include "assertion.h"
#include "core.h"

#include <cmath>
#include <limits>

namespace
{
const auto kMembers = MemberTable<RigidBody, float, float, bool, bool>{
    RefAccessors<RigidBody>("Mass", &RigidBody::GetMass, &RigidBody::SetMass),
    ValueAccessors<RigidBody>("GravityScale", &RigidBody::GetGravityScale, &RigidBody::SetGravityScale),
    ValueAccessors<RigidBody>("Static", &RigidBody::IsStatic, &RigidBody::SetStatic),
    EnabledMember<RigidBody>(),
};

// Only a positive, finite mass can be divided by; anything else would turn every impulse into NaN.
bool IsUsableMass(float mass)
{
    return std::isfinite(mass) && mass > 0.0f && !IsZero(mass);
}

float UsableMass(float mass)
{
    return IsUsableMass(mass) ? mass : 1.0f;
}
} // namespace

RigidBody::RigidBody(float mass, float gravityScale)
    : ComponentBase(CompEnum::RigidBody), mass_(UsableMass(mass)), gravityScale_(gravityScale)
{
}

RigidBody::RigidBody(const RigidBody& source)
    : ComponentBase(source), StartPosition(source.StartPosition), EndPosition(source.EndPosition),
      static_(source.static_), mass_(UsableMass(source.mass_)), gravityScale_(source.gravityScale_),
      velocity_(source.velocity_), force_(source.force_)
{
}

void RigidBody::Serialize(XMLWriter& writer, const Component* prefab) const
{
    const auto* reference = dynamic_cast<const RigidBody*>(prefab);
    if (reference && reference->Compare(*this))
        return;
    writer.BeginElement(GetElementName());
    if (!reference || reference->IsEnabled() != IsEnabled())
        writer.WriteElement("Enabled", IsEnabled());
    if (!reference || reference->static_ != static_)
        writer.WriteElement("Static", static_);
    if (!reference || !IsZero(reference->gravityScale_ - gravityScale_))
        writer.WriteElement("GravityScale", gravityScale_);
    if (!reference || !IsZero(reference->mass_ - mass_))
        writer.WriteElement("Mass", mass_);
    writer.EndElement();
}

void RigidBody::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

std::unique_ptr<Component> RigidBody::Clone() const
{
    return std::make_unique<RigidBody>(*this);
}

bool RigidBody::Compare(const Component& other) const
{
    const auto* same = dynamic_cast<const RigidBody*>(&other);
    ASSERT(same, "RigidBody compare function kena nullptr");
    return same && IsEnabled() == same->IsEnabled() && static_ == same->static_ && IsZero(mass_ - same->mass_) &&
           IsZero(gravityScale_ - same->gravityScale_);
}

void RigidBody::SetMass(const float& mass)
{
    ASSERT(!(mass < 0.0f), "Attempt to set negative mass.");
    ASSERT(!(mass >= 0.0f && IsZero(mass)), "Attempt to set a mass of 0.");
    ASSERT(!(std::isnan(mass) || mass > std::numeric_limits<float>::max()),
           "Attempt to set a mass that is not finite.");
    if (IsUsableMass(mass))
        mass_ = mass;
    if (static_)
        mass_ = kStaticMass;
}

void RigidBody::SetStatic(bool isStatic)
{
    static_ = isStatic;
    SetMass(mass_);
}

void RigidBody::SetVelocity(const Vector3& target)
{
    const float dt = gCore ? gCore->GetFrameTime() : 0.0f;
    if (static_ || !(dt > 0.0f))
        return;
    force_ += (target - velocity_) * mass_ / dt;
}

void RigidBody::AddForce(const Vector3& force)
{
    if (!static_)
        force_ += force;
}
