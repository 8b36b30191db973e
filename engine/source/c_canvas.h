#pragma once
#include "canvasinterface.h"
#include "component.h"

#include <list>
#include <unordered_set>

class GameObject;

// The root of a user interface: the pixels per unit its elements are sized by, and the child objects that
// carry a CanvasRenderer, linked and unlinked by the object hierarchy (LinkCanvasChild below).
class Canvas : public ComponentBase<CanvasInterface>
{
public:
    Canvas() : ComponentBase(CompEnum::Canvas) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "Canvas"; }
    // The copy starts without elements: the source's are other objects, which its own children replace as
    // they are linked.
    std::unique_ptr<Component> Clone() const override;
    // Flags and element lists; the pixels per unit are not compared.
    bool Compare(const Component& other) const override;

    void SetPPU(const unsigned& pixelsPerUnit) override { ppu_ = pixelsPerUnit; }
    const unsigned& GetPPU() const override { return ppu_; }

    // In the order they were linked; not owned.
    const std::list<GameObject*>& GetElements() const { return elements_; }

private:
    friend void LinkCanvasChild(GameObject& parent, GameObject& child, bool newChild);
    friend void UnlinkCanvasChild(GameObject& parent, GameObject& child);
    friend void DropCanvasElements(GameObject& parent, const std::unordered_set<const GameObject*>& going);

    std::list<GameObject*> elements_;
    unsigned ppu_ = 100;
};

// Run by the object hierarchy whenever child is (or already was) a child of parent: a child with a
// CanvasRenderer under a parent with a Canvas becomes one of its elements, once. A child new to parent is
// not among the elements yet, so only one that was there already is looked for: a level's links stay linear.
void LinkCanvasChild(GameObject& parent, GameObject& child, bool newChild);
// The reverse, when child leaves parent or either is freed. The child leaves the element list even when its
// CanvasRenderer was removed meanwhile: the list must not outlive it.
void UnlinkCanvasChild(GameObject& parent, GameObject& child);
// The child's CanvasRenderer, if any, forgets its canvas: for a parent about to be freed.
void LeaveCanvas(GameObject& child);
// A Canvas or CanvasRenderer set aside in its object's removed-components buffer takes its links with it, and
// a restored one links again: a parked component may be deleted later, while the objects linked to it live on.
// Both act only for the object's first component of that class, the one the links belong to.
void UnlinkCanvasComponent(GameObject& owner, const Component& component);
void LinkCanvasComponent(GameObject& owner, const Component& component);
// Takes every object about to be freed out of the element list of parent's canvas, in one pass.
void DropCanvasElements(GameObject& parent, const std::unordered_set<const GameObject*>& going);
