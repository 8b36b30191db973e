#include "c_canvas.h"

#include "c_canvasrenderer.h"
#include "gameobject.h"

namespace
{
const auto kMembers = MemberTable<Canvas, bool, unsigned>{
    EnabledMember<Canvas>(),
    RefAccessors<Canvas>("PPU", &Canvas::GetPPU, &Canvas::SetPPU),
};

// Both ends of a link, or nothing when the parent is no canvas or the child no element.
std::pair<Canvas*, CanvasRenderer*> LinkEnds(GameObject& parent, GameObject& child)
{
    auto* canvas = parent.GetComponent<Canvas>();
    auto* renderer = child.GetComponent<CanvasRenderer>();
    if (!canvas || !renderer)
        return {nullptr, nullptr};
    return {canvas, renderer};
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

void LinkCanvasChild(GameObject& parent, GameObject& child)
{
    const auto [canvas, renderer] = LinkEnds(parent, child);
    // The renderer knows its canvas: searching the list instead would make loading a large menu quadratic.
    if (!canvas || renderer->canvas_ == canvas)
        return;
    canvas->elements_.push_back(&child);
    renderer->canvas_ = canvas;
}

void UnlinkCanvasChild(GameObject& parent, GameObject& child)
{
    const auto [canvas, renderer] = LinkEnds(parent, child);
    if (!canvas)
        return;
    canvas->elements_.remove(&child);
    renderer->canvas_ = nullptr;
}

void ReleaseCanvasElements(GameObject& owner)
{
    auto* canvas = owner.GetComponent<Canvas>();
    if (!canvas)
        return;
    for (GameObject* element : canvas->elements_)
        if (auto* renderer = element->GetComponent<CanvasRenderer>(); renderer && renderer->canvas_ == canvas)
            renderer->canvas_ = nullptr;
    canvas->elements_.clear();
}

void DropCanvasElements(GameObject& owner, const std::unordered_set<const GameObject*>& going)
{
    if (auto* canvas = owner.GetComponent<Canvas>())
        canvas->elements_.remove_if([&](const GameObject* element) { return going.contains(element); });
}
