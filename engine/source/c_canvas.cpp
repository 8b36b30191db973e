#include "c_canvas.h"

#include "c_canvasrenderer.h"
#include "gameobject.h"

#include <algorithm>

namespace
{
const auto kMembers = MemberTable<Canvas, bool, unsigned>{
    EnabledMember<Canvas>(),
    RefAccessors<Canvas>("PPU", &Canvas::GetPPU, &Canvas::SetPPU),
};
} // namespace

void Canvas::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kMembers);
}

void Canvas::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

std::unique_ptr<Component> Canvas::Clone() const
{
    auto copy = std::make_unique<Canvas>(*this);
    copy->elements_.clear();
    return copy;
}

bool Canvas::Compare(const Component& other) const
{
    const auto* same = dynamic_cast<const Canvas*>(&other);
    ASSERT(same, "Canvas compare function kena nullptr");
    return same && elements_ == same->elements_ && IsEnabled() == same->IsEnabled();
}

void LinkCanvasChild(GameObject& parent, GameObject& child, bool newChild)
{
    auto* canvas = parent.GetComponent<Canvas>();
    auto* renderer = child.GetComponent<CanvasRenderer>();
    if (!canvas || !renderer)
        return;
    if (newChild || std::ranges::find(canvas->elements_, &child) == canvas->elements_.end())
        canvas->elements_.push_back(&child);
    renderer->canvas_ = canvas;
}

void UnlinkCanvasChild(GameObject& parent, GameObject& child)
{
    if (auto* canvas = parent.GetComponent<Canvas>())
        canvas->elements_.remove(&child);
    LeaveCanvas(child);
}

void LeaveCanvas(GameObject& child)
{
    if (auto* renderer = child.GetComponent<CanvasRenderer>())
        renderer->canvas_ = nullptr;
}

void DropCanvasElements(GameObject& parent, const std::unordered_set<const GameObject*>& going)
{
    if (auto* canvas = parent.GetComponent<Canvas>())
        canvas->elements_.remove_if([&](const GameObject* element) { return going.contains(element); });
}
