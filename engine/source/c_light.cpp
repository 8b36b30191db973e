#include "c_light.h"

#include <tuple>

template <class Concrete>
auto LightMembers()
{
    const auto colour = [](const char* name, Vector3 (Light::*get)() const, void (Light::*set)(const Vector3&)) {
        MemberDescriptor<Concrete, Vector3> descriptor{name};
        descriptor.valueGetter = get;
        descriptor.constRefSetter = set;
        return descriptor;
    };
    MemberDescriptor<Concrete, bool> enabled{"Enabled"};
    enabled.valueGetter = &Concrete::IsEnabled;
    enabled.valueSetter = &Concrete::StoreEnabled;
    MemberDescriptor<Concrete, float> intensity{"Intensity"};
    intensity.valueGetter = &Light::GetIntensity;
    intensity.constRefSetter = &Light::SetIntensity;
    return std::tuple{enabled, colour("Ambient", &Light::GetAmbient, &Light::SetAmbient),
                      colour("Diffuse", &Light::GetDiffuse, &Light::SetDiffuse),
                      colour("Specular", &Light::GetSpecular, &Light::SetSpecular), intensity};
}

namespace
{
const auto kLightMembers = LightMembers<Light>();

MemberDescriptor<DirectionalLight, Vector3> DirectionMember()
{
    MemberDescriptor<DirectionalLight, Vector3> direction{"Direction"};
    direction.valueGetter = &DirectionalLight::GetDirection;
    direction.constRefSetter = &DirectionalLight::SetDirection;
    return direction;
}

MemberDescriptor<PointLight, float> RangeMember()
{
    MemberDescriptor<PointLight, float> range{"Range"};
    range.valueGetter = &PointLight::GetRange;
    range.constRefSetter = &PointLight::SetRange;
    return range;
}

const auto kDirectionalMembers = std::tuple_cat(LightMembers<DirectionalLight>(), std::tuple{DirectionMember()});
const auto kPointMembers = std::tuple_cat(LightMembers<PointLight>(), std::tuple{RangeMember()});

// A light's element is always whole, and its children are read whatever the element is called.
template <class Concrete, class Table>
void WriteLight(const Concrete& light, XMLWriter& writer, const Table& table)
{
    writer.BeginElement(light.GetElementName());
    WriteMembers(writer, light, table);
    writer.EndElement();
}

template <class Concrete>
const Concrete* SameKind(const Concrete& self, const Component& other)
{
    const auto* same = dynamic_cast<const Concrete*>(&other);
    ASSERT(same, self.GetElementName() + " compare function kena nullptr");
    return same;
}
} // namespace

bool Light::SameLight(const Light& other) const
{
    return kind_ == other.kind_ && MembersEqual(*this, other, kLightMembers);
}

bool Light::Compare(const Component& other) const
{
    const Light* same = SameKind(*this, other);
    return same && SameLight(*same);
}

void DirectionalLight::Serialize(XMLWriter& writer, const Component*) const
{
    WriteLight(*this, writer, kDirectionalMembers);
}

void DirectionalLight::Deserialize(const XMLNode& element)
{
    ReadMembers(element, *this, kDirectionalMembers);
}

bool DirectionalLight::Compare(const Component& other) const
{
    const DirectionalLight* same = SameKind(*this, other);
    return same && SameLight(*same);
}

void PointLight::Serialize(XMLWriter& writer, const Component*) const
{
    WriteLight(*this, writer, kPointMembers);
}

void PointLight::Deserialize(const XMLNode& element)
{
    ReadMembers(element, *this, kPointMembers);
}

bool PointLight::Compare(const Component& other) const
{
    const PointLight* same = SameKind(*this, other);
    return same && SameLight(*same) && same->range_ == range_;
}
