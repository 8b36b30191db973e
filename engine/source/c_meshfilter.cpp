#include "c_meshfilter.h"

namespace
{
const auto kMembers = MemberTable<MeshFilter, bool, std::string>{
    EnabledMember<MeshFilter>(),
    RefAccessors<MeshFilter>("Mesh", &MeshFilter::GetMeshName, &MeshFilter::SetMeshName),
};
} // namespace

void MeshFilter::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kMembers);
}

void MeshFilter::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

bool MeshFilter::Compare(const Component& other) const
{
    return CompareMembers(*this, other, kMembers);
}
