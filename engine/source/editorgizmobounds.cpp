// Resizing an object by the corners and edge middles of its local bounds box.
#include "editorgizmo.h"

#include "transforminterface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace gizmo
{
namespace
{
constexpr Colour kBoxColour = 0xFFAAAAAA;
constexpr float kAnchorPickSquared = 64.0f;
constexpr int kMaxDashes = 1000;

struct Face
{
    int axis;
    Vector3 normal;
};

Vector3 Absolute(const Vector3& v)
{
    return {std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)};
}

Vector3 ToWorld(const Context& context, const Vector3& local)
{
    const Vector4 point = TransformPoint(context.sourceModel, local);
    return {point.x, point.y, point.z};
}

// Idle: every face seen at more than a grazing angle, the most facing first (or that one alone). Dragging:
// the dragged face.
std::vector<Face> FacesToShow(const Context& context)
{
    auto normalOf = [&](int axis) {
        Vector3 unit;
        unit[static_cast<unsigned>(axis)] = 1.0f;
        return TransformDirection(context.sourceModel, unit).Normalized();
    };
    if (context.boundsDragging)
        return {{context.bestAxis, normalOf(context.bestAxis)}};
    const Vector3 toCamera = (context.cameraEye - RowOf(context.sourceModel, 3)).Normalized();
    std::vector<Face> faces;
    int best = 0;
    float bestDot = 0.0f;
    for (int axis = 0; axis < 3; ++axis)
    {
        const Vector3 normal = normalOf(axis);
        const float facing = std::fabs(toCamera.Dot(normal));
        if (facing >= bestDot)
        {
            best = axis;
            bestDot = facing;
        }
        if (facing >= 0.1f)
            faces.push_back({axis, normal});
    }
    if (faces.empty())
        return {{best, normalOf(best)}};
    const auto bestFace = std::ranges::find(faces, best, &Face::axis);
    if (bestFace != faces.end())
        std::swap(faces.front(), *bestFace);
    return faces;
}

// Corners 0-3 of the face across axis b: (min s, min t), (min s, max t), (max s, max t), (max s, min t).
std::array<Vector3, 4> FaceCorners(const float* bounds, int b)
{
    const unsigned s = static_cast<unsigned>((b + 1) % 3);
    const unsigned t = static_cast<unsigned>((b + 2) % 3);
    const float sides[4][2] = {{bounds[s], bounds[t]},
                               {bounds[s], bounds[t + 3]},
                               {bounds[s + 3], bounds[t + 3]},
                               {bounds[s + 3], bounds[t]}};
    std::array<Vector3, 4> corners;
    for (int c = 0; c < 4; ++c)
    {
        corners[c][s] = sides[c][0];
        corners[c][t] = sides[c][1];
    }
    return corners;
}

bool OnScreen(const PanelRect& rect, const Vector2& point)
{
    return point.x >= rect.x && point.x <= rect.x + rect.width && point.y >= rect.y &&
           point.y <= rect.y + rect.height;
}

void DrawDashes(Canvas& canvas, const Vector2& a, const Vector2& b)
{
    const int steps = std::min(static_cast<int>((b - a).Length() / 10.0f), kMaxDashes);
    const float step = 1.0f / static_cast<float>(steps);
    for (int k = 0; k < steps; ++k)
    {
        const float from = static_cast<float>(k) * step;
        canvas.Line(a + (b - a) * from, a + (b - a) * (from + step / 2.0f), kBoxColour, 2.0f);
    }
}

void DrawAnchor(Canvas& canvas, const Vector2& at, float rim, float inner, bool underMouse)
{
    canvas.FilledCircle(at, rim, kShadowColour, 12);
    canvas.FilledCircle(at, inner, underMouse ? kSelectionColour : kBoxColour, 12);
}

bool UnderMouse(const Context& context, const Vector2& anchor)
{
    const Vector2 d = anchor - context.input.mouse;
    return d.Dot(d) <= kAnchorPickSquared;
}

// The grabbed point and the one held still, in the object's local space; the resized axes.
void StartBoundsDrag(Context& context, const Face& face, const Vector3& anchor, const Vector3& pivot,
                     int firstAxis, int secondAxis)
{
    context.boundsPivot = ToWorld(context, pivot);
    context.boundsAnchor = ToWorld(context, anchor);
    context.boundsPlane = PlaneThrough(context.boundsAnchor, face.normal);
    context.bestAxis = face.axis;
    context.resizedAxes[0] = firstAxis;
    context.resizedAxes[1] = secondAxis;
    context.localPivot = Vector3();
    for (int axis : context.resizedAxes)
        if (axis >= 0)
            context.localPivot[static_cast<unsigned>(axis)] = pivot[static_cast<unsigned>(axis)];
    context.boundsDragging = true;
    context.boundsStart = context.sourceModel;
}

void ResizeByBounds(Context& context, Canvas& canvas, const float* bounds, TransformInterface& transform,
                    const float* boundsSnap)
{
    const Vector3 hit = context.rayOrigin + context.rayDirection * RayPlaneDistance(context.rayOrigin,
                                                                                     context.rayDirection,
                                                                                     context.boundsPlane);
    const Vector3 delta = Absolute(hit - context.boundsPivot);
    const Vector3 reference = Absolute(context.boundsAnchor - context.boundsPivot);
    Matrix4 scale;
    for (int axis : context.resizedAxes)
    {
        if (axis < 0)
            continue;
        const unsigned a = static_cast<unsigned>(axis);
        const Vector3 d = Absolute(RowOf(context.boundsStart, axis));
        const float size = bounds[a + 3] - bounds[a];
        float ratio = 1.0f;
        if (d.Dot(reference) > kTiny)
            ratio = d.Dot(delta) / d.Dot(reference);
        if (boundsSnap)
        {
            const float length = SnapToStep(size * ratio, boundsSnap[a]);
            if (size > kTiny)
                ratio = length / size;
        }
        scale.m[5 * a] = ratio;
    }
    const Matrix4 resized =
        Mul(Mul(Mul(Translation(-context.localPivot), scale), Translation(context.localPivot)), context.boundsStart);
    Vector3 position, degrees, scaling;
    DecomposeGizmoMatrix(resized, position, degrees, scaling);
    transform.SetPosition(position);
    // The Euler convention of a loaded transform, which the degrees were read in.
    transform.SetRotationByQuaternion(degrees);
    transform.SetScale(scaling);

    float sizes[3];
    for (int j = 0; j < 3; ++j)
        sizes[j] = (bounds[j + 3] - bounds[j]) * RowOf(context.boundsStart, j).Length() * scale.m[5 * j];
    char text[512];
    std::snprintf(text, sizeof text, "X: %.2f Y: %.2f Z:%.2f", static_cast<double>(sizes[0]),
                  static_cast<double>(sizes[1]), static_cast<double>(sizes[2]));
    DrawInfoText(canvas, WorldToScreen(context, context.ModelPosition(), context.viewProjection), text);
}

void ShowFace(Context& context, Canvas& canvas, const Face& face, const float* bounds, int operation)
{
    const std::array<Vector3, 4> corners = FaceCorners(bounds, face.axis);
    const Matrix4 toClip = Mul(context.sourceModel, context.viewProjection);
    // A handle under the mouse takes the press.
    const bool handleUnderMouse = PickHandle(context, operation) != kNone;
    for (int e = 0; e < 4; ++e)
    {
        const Vector3& corner = corners[e];
        const Vector3& next = corners[(e + 1) % 4];
        const Vector2 a = WorldToScreen(context, corner, toClip);
        const Vector2 b = WorldToScreen(context, next, toClip);
        if (!OnScreen(context.rect, a) || !OnScreen(context.rect, b))
            continue;
        DrawDashes(canvas, a, b);
        const Vector3 middle = (corner + next) * 0.5f;
        const Vector2 edgeAnchor = WorldToScreen(context, middle, toClip);
        const bool overCorner = !handleUnderMouse && UnderMouse(context, a);
        const bool overEdge = !handleUnderMouse && UnderMouse(context, edgeAnchor);
        DrawAnchor(canvas, a, 8.0f, 6.8f, overCorner);
        DrawAnchor(canvas, edgeAnchor, 6.0f, 4.8f, overEdge);
        if (context.boundsDragging || !CanStartGizmoDrag(context.input))
            continue;
        const int s = (face.axis + 1) % 3;
        const int t = (face.axis + 2) % 3;
        const Vector3& opposite = corners[(e + 2) % 4];
        if (overCorner)
            StartBoundsDrag(context, face, corner, opposite, s, t);
        else if (overEdge)
            StartBoundsDrag(context, face, middle, (opposite + corners[(e + 3) % 4]) * 0.5f, e % 2 == 0 ? s : t,
                            -1);
    }
}
}

void SizeLocalBounds(Context& context, Canvas& canvas, const float* bounds, TransformInterface& transform,
                     const float* boundsSnap, int operation)
{
    for (const Face& face : FacesToShow(context))
    {
        ShowFace(context, canvas, face, bounds, operation);
        if (context.boundsDragging)
            ResizeByBounds(context, canvas, bounds, transform, boundsSnap);
        if (!context.input.LeftDown())
            context.boundsDragging = false;
        if (context.boundsDragging)
            break;
    }
}
}
