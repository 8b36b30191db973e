#include "c_recttransform.h"

#include "core.h"
#include "graphics.h"

#include <cmath>

namespace
{
const auto kMembers = MemberTable<RectTransform, bool, Vector3, Vector2, float>{
    EnabledMember<RectTransform>(),
    RefAccessors<RectTransform>("Position", &RectTransform::GetPosition, &RectTransform::SetPosition),
    RefAccessors<RectTransform>("Scale", &RectTransform::GetScale, &RectTransform::SetScale),
    RefAccessors<RectTransform>("Rotation", &RectTransform::GetRotation, &RectTransform::SetRotation),
};

Matrix4 ZTurn(float degrees)
{
    return AxisAngleToMatrix4(DegreesToRadians(degrees), {0.0f, 0.0f, 1.0f});
}

Matrix4 Translation(const Vector3& offset)
{
    return Matrix4::ComposeTRS(offset, Matrix3(), {1.0f, 1.0f, 1.0f});
}

// Wider than the design stretches height, narrower stretches both.
Vector2 AspectFactors(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {1.0f, 1.0f};
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    if (aspect > kDesignAspect)
        return {1.0f, aspect - kDesignAspect + 1.0f};
    const float both = kDesignAspect - aspect + 1.0f;
    return {both, both};
}
} // namespace

Matrix4 RectModelMatrix(const Vector3& position, const Vector2& scale, float degrees, unsigned pixelsPerUnit,
                        int viewportWidth, int viewportHeight)
{
    const Vector2 factors = AspectFactors(viewportWidth, viewportHeight);
    const float ppu = static_cast<float>(pixelsPerUnit);
    const Vector3 size{ppu * scale.x * factors.x, ppu * scale.y * factors.y, 1.0f};
    return Translation({position.x, -position.y, position.z}) * ZTurn(degrees) *
           Translation({-size.x / 2.0f, -size.y / 2.0f, 0.0f}) * Matrix4::ComposeTRS({}, Matrix3(), size);
}

bool CoversDesignCanvas(const Vector3& position, const Vector2& scale, float degrees, unsigned pixelsPerUnit)
{
    // Turned by anything but a half turn, its edges leave the canvas's corners uncovered or need a closer look
    // than any shipped layout asks for.
    if (std::remainder(degrees, 180.0f) != 0.0f)
        return false;
    const float ppu = static_cast<float>(pixelsPerUnit);
    const float halfWidth = std::fabs(scale.x) * ppu / 2.0f;
    const float halfHeight = std::fabs(scale.y) * ppu / 2.0f;
    return std::fabs(position.x) + kDesignHalfWidth <= halfWidth &&
           std::fabs(position.y) + kDesignHalfHeight <= halfHeight;
}

void RectTransform::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kMembers);
}

void RectTransform::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

bool RectTransform::Compare(const Component& other) const
{
    return CompareMembers(*this, other, kMembers);
}

void RectTransform::SetRotation(const float& degrees)
{
    rotation_ = degrees;
    const Matrix4 turn = ZTurn(degrees);
    const float* m = turn.m;
    // The upper-left block, column-major into row-major.
    rotationMatrix_ = Matrix3({m[0], m[4], m[8], m[1], m[5], m[9], m[2], m[6], m[10]});
}

Matrix4 RectTransform::GetModelMatrix(const unsigned& pixelsPerUnit) const
{
    const Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr;
    const auto [width, height] = graphics ? graphics->GameViewportSize() : std::pair{0, 0};
    return RectModelMatrix(position_, scale_, rotation_, pixelsPerUnit, width, height);
}
