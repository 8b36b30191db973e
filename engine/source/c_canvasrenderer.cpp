#include "c_canvasrenderer.h"

namespace
{
const auto kMembers = MemberTable<CanvasRenderer, bool>{EnabledMember<CanvasRenderer>()};
} // namespace

void CanvasRenderer::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kMembers);
}

void CanvasRenderer::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

std::unique_ptr<Component> CanvasRenderer::Clone() const
{
    auto copy = std::make_unique<CanvasRenderer>(*this);
    copy->canvas_ = nullptr;
    return copy;
}

bool CanvasRenderer::Compare(const Component& other) const
{
    return CompareMembers(*this, other, kMembers);
}
