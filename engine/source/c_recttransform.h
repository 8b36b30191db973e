#pragma once
#include "component.h"
#include "recttransforminterface.h"

// Places a 2D element of a canvas on the screen.
class RectTransform : public ComponentBase<RectTransformInterface>
{
public:
    RectTransform() : ComponentBase(CompEnum::RectTransform) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "RectTransform"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<RectTransform>(*this); }
    bool Compare(const Component& other) const override;

    void SetPosition(const Vector3& position) override { position_ = position; }
    void SetScale(const Vector2& scale) override { scale_ = scale; }
    void SetRotation(const float& degrees) override;
    void SetRotationMatrix(const Matrix3& rotation) override { rotationMatrix_ = rotation; }
    const Vector3& GetPosition() const override { return position_; }
    const Vector2& GetScale() const override { return scale_; }
    const float& GetRotation() const override { return rotation_; }
    const Matrix3& GetRotationMatrix() const override { return rotationMatrix_; }
    // Sized for the renderer's game view; the design size when there is no renderer.
    Matrix4 GetModelMatrix(const unsigned& pixelsPerUnit) const override;

private:
    Vector3 position_;
    Vector2 scale_{1.0f, 1.0f};
    float rotation_ = 0.0f;
    Matrix3 rotationMatrix_;
};

// The user interface is laid out for this width / height; other shapes stretch the elements.
inline constexpr float kDesignAspect = 1.6f;
// Half the 1920 x 1200 canvas the interface is laid out on, centred on the screen.
inline constexpr float kDesignHalfWidth = 960.0f;
inline constexpr float kDesignHalfHeight = 600.0f;

// The model matrix of a sprite quad spanning (0, 0) to (1, 1), centred on position, in a viewport of the given
// size. The position's y enters negated, for the UI projection whose y grows downwards.
Matrix4 RectModelMatrix(const Vector3& position, const Vector2& scale, float degrees, unsigned pixelsPerUnit,
                        int viewportWidth, int viewportHeight);
// Whether the rectangle spans the whole design canvas: other viewport shapes only stretch it further.
bool CoversDesignCanvas(const Vector3& position, const Vector2& scale, float degrees, unsigned pixelsPerUnit);
