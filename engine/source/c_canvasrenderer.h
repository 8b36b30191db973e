#pragma once
#include "canvasrendererinterface.h"
#include "component.h"

class Canvas;

// Marks an object as a 2D element of the canvas of its parent object.
class CanvasRenderer : public ComponentBase<CanvasRendererInterface>
{
public:
    CanvasRenderer() : ComponentBase(CompEnum::CanvasRenderer) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "CanvasRenderer"; }
    // The copy belongs to no canvas until its object is linked under one.
    std::unique_ptr<Component> Clone() const override;
    bool Compare(const Component& other) const override;

    // Null while the object is not under a canvas.
    Canvas* GetCanvas() const { return canvas_; }

private:
    friend void LinkCanvasChild(GameObject& parent, GameObject& child, bool newChild);
    friend void UnlinkCanvasChild(GameObject& parent, GameObject& child);
    friend void LeaveCanvas(GameObject& child);

    Canvas* canvas_ = nullptr;
};
