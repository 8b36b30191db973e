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

// Runs link for every parent and child pair whose link goes through the component.
template <class Link>
void ForCanvasLinksOf(GameObject& owner, const Component& component, Link link)
{
    const Component* canvas = owner.GetComponent<Canvas>();
    const Component* renderer = owner.GetComponent<CanvasRenderer>();
    if (&component == canvas)
        for (GameObject* child : owner.GetChildren())
            link(owner, *child);
    else if (&component == renderer && owner.GetParent())
        link(*owner.GetParent(), owner);
}
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

void UnlinkCanvasComponent(GameObject& owner, const Component& component)
{
    ForCanvasLinksOf(owner, component, UnlinkCanvasChild);
}

void LinkCanvasComponent(GameObject& owner, const Component& component)
{
    // A restored component may find links already made, so each is looked for first.
    ForCanvasLinksOf(owner, component,
                     [](GameObject& parent, GameObject& child) { LinkCanvasChild(parent, child, false); });
}
