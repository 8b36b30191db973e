// The transform gizmo's geometry, hit tests and handle drags.
#include "editorgizmo.h"

#include "matrix3.h"
#include "transforminterface.h"

#include <algorithm>
#include <cmath>

namespace gizmo
{
namespace
{
constexpr float kCentreSquareHalf = 10.0f;
constexpr float kAxisPickPixels = 12.0f;
constexpr float kRingPickPixels = 8.0f;
constexpr float kMinScale = 0.001f;
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kDegreesPerRadian = 57.295776f;

const Vector3 kUnit[3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};

void SetRow(Matrix4& matrix, int row, const Vector3& value)
{
    matrix.m[4 * row] = value.x;
    matrix.m[4 * row + 1] = value.y;
    matrix.m[4 * row + 2] = value.z;
}

Vector3 Divided(const Vector4& clip)
{
    return {clip.x / clip.w, clip.y / clip.w, clip.z / clip.w};
}

// Clip-space point with w divided out unless it is close to zero.
Vector2 ClipPoint(const Context& context, const Vector3& point)
{
    const Vector4 clip = TransformPoint(context.modelViewProjection, point);
    if (std::fabs(clip.w) > kTiny)
        return {clip.x / clip.w, clip.y / clip.w};
    return {clip.x, clip.y};
}

Vector3 RayHit(const Context& context, const Vector4& plane)
{
    return context.rayOrigin + context.rayDirection * RayPlaneDistance(context.rayOrigin, context.rayDirection, plane);
}

bool InCentreSquare(const Context& context)
{
    const Vector2& mouse = context.input.mouse;
    return mouse.x >= context.squareMin.x && mouse.x <= context.squareMax.x && mouse.y >= context.squareMin.y &&
           mouse.y <= context.squareMax.y;
}

// Where the mouse ray meets the plane through the object across the model axis, as the axis handle tests see
// it: true when that point lies within 12 pixels of the drawn axis.
bool NearAxisHandle(const Context& context, const Vector3& worldAxis, const Vector3& hit)
{
    const Vector3 position = context.ModelPosition();
    const Vector2 a = WorldToScreen(context, position + worldAxis * (context.sizeFactor * 0.1f), context.viewProjection);
    const Vector2 b = WorldToScreen(context, position + worldAxis * context.sizeFactor, context.viewProjection);
    const Vector2 onScreen = WorldToScreen(context, hit, context.viewProjection);
    return (ClosestOnSegment(onScreen, a, b) - onScreen).Length() < kAxisPickPixels;
}

// The axis handle under the mouse (0, 1, 2) or -1, with the plane handle's type when it wins.
int PickAxisOrPlane(Context& context, int axisType, int planeType)
{
    const Vector3 position = context.ModelPosition();
    for (int i = 0; i < 3; ++i)
    {
        const AxisChoice choice = ChooseAxisDirection(context, i);
        const Vector3 axis = TransformDirection(context.model, choice.axis);
        const Vector3 hit = RayHit(context, PlaneThrough(position, axis));
        int type = NearAxisHandle(context, axis, hit) ? axisType + i : kNone;
        if (planeType != kNone && choice.planeVisible)
        {
            const Vector3 local = (hit - position) / context.sizeFactor;
            const float dx = TransformDirection(context.model, choice.planeAxes[0]).Dot(local);
            const float dy = TransformDirection(context.model, choice.planeAxes[1]).Dot(local);
            if (dx >= 0.5f && dx <= 0.8f && dy >= 0.5f && dy <= 0.8f)
                type = planeType + i;
        }
        if (type != kNone)
            return type;
    }
    return kNone;
}

// The rotation write-back: the same Euler convention as a loaded transform's, so the matrix it builds is the
// one the degrees were read from.
void WriteRotation(TransformInterface& transform, const Vector3& degrees)
{
    transform.SetRotationByQuaternion(degrees);
}

// The drag plane through the object, and where the mouse ray meets it.
void StartOnPlane(Context& context, const Vector3& normal)
{
    context.dragPlane = PlaneThrough(context.ModelPosition(), normal);
    context.dragPlaneOrigin = RayHit(context, context.dragPlane);
    context.startPosition = context.ModelPosition();
    context.relativeOrigin = (context.dragPlaneOrigin - context.ModelPosition()) / context.sizeFactor;
}

void StartMove(Context& context, int type)
{
    Vector3 normal = -context.cameraForward;
    if (type < kMovePlaneX)
    {
        const Vector3 axis = RowOf(context.model, type - kMoveX);
        const Vector3 toObject = (context.ModelPosition() - context.cameraEye).Normalized();
        normal = axis.Cross(axis.Cross(toObject)).Normalized();
    }
    else if (type < kMoveScreen)
        normal = RowOf(context.model, type - kMovePlaneX);
    StartOnPlane(context, normal);
}

void UpdateMove(Context& context, TransformInterface& transform, const float* snap)
{
    const Vector3 position = context.ModelPosition();
    const float distance =
        std::fabs(RayPlaneDistance(context.rayOrigin, context.rayDirection, context.dragPlane));
    const Vector3 newOrigin =
        context.rayOrigin + context.rayDirection * distance - context.relativeOrigin * context.sizeFactor;
    Vector3 delta = newOrigin - position;
    if (context.dragType < kMovePlaneX)
    {
        const Vector3 axis = RowOf(context.model, context.dragType - kMoveX);
        delta = axis * axis.Dot(delta);
    }
    if (snap)
    {
        Vector3 cumulative = TransformDirection(context.inverseModel, position + delta - context.startPosition);
        for (unsigned i = 0; i < 3; ++i)
            cumulative[i] = SnapToStep(cumulative[i], snap[i]);
        delta = context.startPosition + TransformDirection(context.model, cumulative) - position;
    }
    // Written as the renderer reads it: a child's matrix is its own, so no parent is taken off.
    transform.SetPosition(RowOf(context.sourceModel, 3) + delta);
}

void StartRotate(Context& context, int type)
{
    const Vector3 normal = type == kRotateScreen ? -context.cameraForward : RowOf(context.model, type - kRotateX);
    StartOnPlane(context, normal);
    context.ringStart = (context.dragPlaneOrigin - context.ModelPosition()).Normalized();
    context.previousAngle = AngleOnDragPlane(context);
    context.angle = context.previousAngle;
}

void UpdateRotate(Context& context, TransformInterface& transform, const float* snap)
{
    context.angle = AngleOnDragPlane(context);
    if (snap)
        context.angle = SnapToStep(context.angle, snap[0] * kRadiansPerDegree);
    const Vector3 normal(context.dragPlane.x, context.dragPlane.y, context.dragPlane.z);
    const Vector3 axis = TransformDirection(context.inverseModel, normal).Normalized();
    const Matrix4 step = RotationAbout(axis, context.angle - context.previousAngle);
    context.previousAngle = context.angle;
    Matrix4 lengths;
    for (int i = 0; i < 3; ++i)
        lengths.m[5 * i] = context.startLengths[i];
    Vector3 translation, degrees, scale;
    DecomposeGizmoMatrix(Mul(Mul(lengths, step), context.model), translation, degrees, scale);
    WriteRotation(transform, degrees);
}

void StartScale(Context& context, int type)
{
    static const int kPlaneAxis[4] = {1, 2, 0, 2};
    StartOnPlane(context, RowOf(context.model, kPlaneAxis[type - kScaleX]));
    context.scaleFactors = Vector3(1.0f, 1.0f, 1.0f);
    context.startScaleLengths = context.startLengths;
    context.startMouseX = context.input.mouse.x;
}

void UpdateScale(Context& context, TransformInterface& transform, const float* snap)
{
    const Vector3 position = context.ModelPosition();
    const float distance = RayPlaneDistance(context.rayOrigin, context.rayDirection, context.dragPlane);
    const Vector3 newOrigin =
        context.rayOrigin + context.rayDirection * distance - context.relativeOrigin * context.sizeFactor;
    const Vector3 delta = newOrigin - position;
    if (context.dragType == kScaleUniform)
    {
        const float factor = std::max(1.0f + (context.input.mouse.x - context.startMouseX) * 0.01f, kMinScale);
        context.scaleFactors = Vector3(factor, factor, factor);
    }
    else
    {
        const int i = context.dragType - kScaleX;
        const Vector3 axis = RowOf(context.model, i);
        const Vector3 base = context.dragPlaneOrigin - position;
        const float along = axis.Dot(delta);
        context.scaleFactors[i] = std::max(axis.Dot(base + axis * along) / axis.Dot(base), kMinScale);
    }
    for (unsigned i = 0; i < 3; ++i)
    {
        if (snap)
            context.scaleFactors[i] = SnapToStep(context.scaleFactors[i], snap[0]);
        context.scaleFactors[i] = std::max(context.scaleFactors[i], kMinScale);
    }
    Matrix4 scaled;
    for (int i = 0; i < 3; ++i)
        scaled.m[5 * i] = context.scaleFactors[i] * context.startScaleLengths[i];
    Vector3 translation, degrees, scale;
    DecomposeGizmoMatrix(Mul(scaled, context.model), translation, degrees, scale);
    transform.SetScale(scale);
}

struct Handles
{
    int first;
    int last;
    int (*pick)(Context&);
    void (*start)(Context&, int);
    void (*update)(Context&, TransformInterface&, const float*);
};

// Idle: the handle under the mouse, a drag starting on a press over it. Dragging: the write-back, then the
// drag ends on release.
int HandleDrag(Context& context, TransformInterface& transform, const float* snap, const Handles& handles)
{
    // A drag of another operation (the tool changed under it) ends here.
    if (context.dragging && (context.dragType < handles.first || context.dragType > handles.last))
        context.dragging = false;
    if (context.dragging)
    {
        context.wantsMouse = true;
        handles.update(context, transform, snap);
        if (!context.input.LeftDown())
            context.dragging = false;
        return context.dragType;
    }
    const int type = handles.pick(context);
    if (type == kNone)
        return kNone;
    context.wantsMouse = true;
    if (CanStartGizmoDrag(context.input))
    {
        context.dragging = true;
        context.dragType = type;
        handles.start(context, type);
    }
    return type;
}

bool HasZeroAxis(const Matrix4& model)
{
    for (int i = 0; i < 3; ++i)
        if (RowOf(model, i).Length() <= kTiny)
            return true;
    return false;
}

void EndDragsOnRelease(Context& context)
{
    if (context.input.LeftDown())
        return;
    context.dragging = false;
    context.boundsDragging = false;
}
}

Vector3 RowOf(const Matrix4& matrix, int row)
{
    return {matrix.m[4 * row], matrix.m[4 * row + 1], matrix.m[4 * row + 2]};
}

Vector2 Normalised(const Vector2& v)
{
    const float length = v.Length();
    return length > 0.0f ? v / length : v;
}

Matrix4 Mul(const Matrix4& first, const Matrix4& then)
{
    // Matrix4's product is column-major; read as rows the order turns round.
    return then * first;
}

Vector4 TransformPoint(const Matrix4& matrix, const Vector3& point)
{
    const float* m = matrix.m;
    return {point.x * m[0] + point.y * m[4] + point.z * m[8] + m[12],
            point.x * m[1] + point.y * m[5] + point.z * m[9] + m[13],
            point.x * m[2] + point.y * m[6] + point.z * m[10] + m[14],
            point.x * m[3] + point.y * m[7] + point.z * m[11] + m[15]};
}

Vector3 TransformDirection(const Matrix4& matrix, const Vector3& direction)
{
    return RowOf(matrix, 0) * direction.x + RowOf(matrix, 1) * direction.y + RowOf(matrix, 2) * direction.z;
}

Matrix4 Translation(const Vector3& offset)
{
    Matrix4 matrix;
    SetRow(matrix, 3, offset);
    return matrix;
}

Matrix4 RotationAbout(const Vector3& axis, float angle)
{
    Matrix4 matrix;
    if (axis.LengthSquared() < kTiny)
        return matrix;
    const Vector3 n = axis.Normalized();
    const float s = std::sin(angle);
    const float c = std::cos(angle);
    const float k = 1.0f - c;
    SetRow(matrix, 0, {n.x * n.x * k + c, n.x * n.y * k + n.z * s, n.z * n.x * k - n.y * s});
    SetRow(matrix, 1, {n.x * n.y * k - n.z * s, n.y * n.y * k + c, n.y * n.z * k + n.x * s});
    SetRow(matrix, 2, {n.z * n.x * k + n.y * s, n.y * n.z * k - n.x * s, n.z * n.z * k + c});
    return matrix;
}

float SnapToStep(float value, float step)
{
    if (step <= kTiny)
        return value;
    const float remainder = std::fmod(value, step);
    const float ratio = std::fabs(remainder) / step;
    if (ratio < 0.5f)
        return value - remainder;
    if (ratio > 0.5f)
        return value - remainder + (value < 0.0f ? -step : step);
    return value;
}

Vector4 PlaneThrough(const Vector3& point, const Vector3& normal)
{
    const Vector3 unit = normal.Normalized();
    return {unit, unit.Dot(point)};
}

float RayPlaneDistance(const Vector3& origin, const Vector3& direction, const Vector4& plane)
{
    const Vector3 normal(plane.x, plane.y, plane.z);
    const float numerator = normal.Dot(origin) - plane.w;
    const float denominator = normal.Dot(direction);
    if (std::fabs(denominator) < kTiny)
        return -1.0f;
    return -numerator / denominator;
}

Vector2 WorldToScreen(const Context& context, const Vector3& point, const Matrix4& matrix)
{
    const Vector4 clip = TransformPoint(matrix, point);
    const float f = 0.5f / clip.w;
    return {(f * clip.x + 0.5f) * context.rect.width + context.rect.x,
            (1.0f - (f * clip.y + 0.5f)) * context.rect.height + context.rect.y};
}

float ClipSpaceLength(const Context& context, const Vector3& start, const Vector3& end)
{
    Vector2 d = ClipPoint(context, end) - ClipPoint(context, start);
    d.y /= context.displayRatio;
    return d.Length();
}

float ClipSpaceArea(const Context& context, const Vector3& origin, const Vector3& a, const Vector3& b)
{
    const Vector2 p0 = ClipPoint(context, origin);
    Vector2 u = ClipPoint(context, origin + a) - p0;
    Vector2 v = ClipPoint(context, origin + b) - p0;
    u.y /= context.displayRatio;
    v.y /= context.displayRatio;
    return u.Length() * std::fabs(Normalised(Vector2(-u.y, u.x)).Dot(v));
}

Vector2 ClosestOnSegment(const Vector2& point, const Vector2& a, const Vector2& b)
{
    const Vector2 along = b - a;
    const Vector2 direction = Normalised(along);
    const float t = direction.Dot(point - a);
    if (t < 0.0f)
        return a;
    if (t > along.Length())
        return b;
    return a + direction * t;
}

void DecomposeGizmoMatrix(const Matrix4& matrix, Vector3& translation, Vector3& rotationDegrees, Vector3& scale)
{
    Vector3 rows[3];
    for (int i = 0; i < 3; ++i)
    {
        scale[i] = RowOf(matrix, i).Length();
        rows[i] = RowOf(matrix, i) / scale[i];
    }
    rotationDegrees.x = std::atan2(rows[1].z, rows[2].z) * kDegreesPerRadian;
    rotationDegrees.y =
        std::atan2(-rows[0].z, std::sqrt(rows[1].z * rows[1].z + rows[2].z * rows[2].z)) * kDegreesPerRadian;
    rotationDegrees.z = std::atan2(rows[0].y, rows[0].x) * kDegreesPerRadian;
    translation = RowOf(matrix, 3);
}

void UpdateGizmoContext(Context& context, const Matrix4& view, const Matrix4& projection, const Matrix4& model)
{
    context.view = view;
    context.projection = projection;
    context.sourceModel = model;
    context.model = model;
    for (int i = 0; i < 3; ++i)
    {
        context.startLengths[i] = RowOf(model, i).Length();
        SetRow(context.model, i, RowOf(model, i) / context.startLengths[i]);
    }
    context.inverseModel = context.model.Inverse();
    context.inverseSourceModel = model.Inverse();
    context.viewProjection = Mul(view, projection);
    context.modelViewProjection = Mul(context.model, context.viewProjection);

    const Matrix4 inverseView = view.Inverse();
    context.cameraRight = RowOf(inverseView, 0);
    context.cameraUp = RowOf(inverseView, 1);
    context.cameraForward = RowOf(inverseView, 2);
    context.cameraEye = RowOf(inverseView, 3);

    const Vector3 right = TransformDirection(context.inverseModel, context.cameraRight);
    context.sizeFactor = 0.1f / ClipSpaceLength(context, Vector3(), right);

    context.screenCentre = WorldToScreen(context, Vector3(), context.modelViewProjection);
    context.squareMin = context.screenCentre - Vector2(kCentreSquareHalf, kCentreSquareHalf);
    context.squareMax = context.screenCentre + Vector2(kCentreSquareHalf, kCentreSquareHalf);

    const Matrix4 inverse = context.viewProjection.Inverse();
    const float x = ((context.input.mouse.x - context.rect.x) / context.rect.width) * 2.0f - 1.0f;
    const float y = (1.0f - (context.input.mouse.y - context.rect.y) / context.rect.height) * 2.0f - 1.0f;
    context.rayOrigin = Divided(TransformPoint(inverse, {x, y, 0.0f}));
    context.rayDirection = (Divided(TransformPoint(inverse, {x, y, 1.0f})) - context.rayOrigin).Normalized();
}

AxisChoice ChooseAxisDirection(Context& context, int axis)
{
    AxisChoice choice;
    const int index[3] = {axis, (axis + 1) % 3, (axis + 2) % 3};
    Vector3 directions[3];
    for (int k = 0; k < 3; ++k)
    {
        const Vector3& d = kUnit[index[k]];
        if (!context.dragging)
        {
            const bool flip = ClipSpaceLength(context, Vector3(), -d) - ClipSpaceLength(context, Vector3(), d) > kTiny;
            context.directionFactor[index[k]] = flip ? -1.0f : 1.0f;
        }
        directions[k] = d * context.directionFactor[index[k]];
    }
    choice.axis = directions[0];
    choice.planeAxes[0] = directions[1];
    choice.planeAxes[1] = directions[2];
    if (!context.dragging)
    {
        const float size = context.sizeFactor;
        context.axisVisible[axis] = ClipSpaceLength(context, Vector3(), choice.axis * size) > 0.02f;
        context.planeVisible[axis] =
            ClipSpaceArea(context, Vector3(), choice.planeAxes[0] * size, choice.planeAxes[1] * size) > 0.0025f;
    }
    choice.axisVisible = context.axisVisible[axis];
    choice.planeVisible = context.planeVisible[axis];
    return choice;
}

float AngleOnDragPlane(const Context& context)
{
    const Vector3 v = (RayHit(context, context.dragPlane) - context.ModelPosition()).Normalized();
    const Vector3 normal(context.dragPlane.x, context.dragPlane.y, context.dragPlane.z);
    const Vector3 perpendicular = context.ringStart.Cross(normal).Normalized();
    const float angle = std::acos(std::clamp(v.Dot(context.ringStart), -0.9999f, 0.9999f));
    return v.Dot(perpendicular) < 0.0f ? angle : -angle;
}

int PickMoveHandle(Context& context)
{
    if (context.dragging)
        return kNone;
    if (InCentreSquare(context))
        return kMoveScreen;
    return PickAxisOrPlane(context, kMoveX, kMovePlaneX);
}

int PickRotateHandle(Context& context)
{
    if (context.dragging)
        return kNone;
    const float distance = (context.input.mouse - context.screenCentre).Length();
    if (distance >= context.ringRadius - 1.0f && distance < context.ringRadius + 1.0f)
        return kRotateScreen;
    const Vector3 position = context.ModelPosition();
    for (int i = 0; i < 3; ++i)
    {
        const Vector3 v = (RayHit(context, PlaneThrough(position, RowOf(context.model, i))) - position).Normalized();
        // The far half of the ring is hidden behind the object.
        if (v.Dot(context.rayDirection) > kTiny)
            continue;
        const Vector3 local = TransformDirection(context.inverseModel, v) * context.sizeFactor;
        const Vector2 onScreen = WorldToScreen(context, local, context.modelViewProjection);
        if ((onScreen - context.input.mouse).Length() < kRingPickPixels)
            return kRotateX + i;
    }
    return kNone;
}

int PickScaleHandle(Context& context)
{
    if (context.dragging)
        return kNone;
    if (InCentreSquare(context))
        return kScaleUniform;
    return PickAxisOrPlane(context, kScaleX, kNone);
}

int PickHandle(Context& context, int operation)
{
    switch (operation)
    {
    case kMove: return PickMoveHandle(context);
    case kRotate: return PickRotateHandle(context);
    case kScale: return PickScaleHandle(context);
    default: return kNone;
    }
}

bool CanStartGizmoDrag(const Input& input)
{
    return input.leftDownSeconds == 0.0f && !input.itemHovered && !input.itemActive;
}

int DragMoveHandle(Context& context, TransformInterface& transform, const float* snap)
{
    return HandleDrag(context, transform, snap, {kMoveX, kMoveScreen, PickMoveHandle, StartMove, UpdateMove});
}

int DragRotateHandle(Context& context, TransformInterface& transform, const float* snap)
{
    return HandleDrag(context, transform, snap,
                      {kRotateX, kRotateScreen, PickRotateHandle, StartRotate, UpdateRotate});
}

int DragScaleHandle(Context& context, TransformInterface& transform, const float* snap)
{
    return HandleDrag(context, transform, snap,
                      {kScaleX, kScaleUniform, PickScaleHandle, StartScale, UpdateScale});
}

void DrawSceneGizmo(Context& context, Canvas& canvas, const Settings& settings, const Input& input,
                    const PanelRect& rect, const Matrix4& view, const Matrix4& projection,
                    TransformInterface* transform)
{
    context.rect = rect;
    context.input = input;
    context.wantsMouse = false;
    // A drag whose object went away, or left the view, still ends with the button.
    if (!transform || rect.width <= 0.0f || rect.height <= 0.0f)
        return EndDragsOnRelease(context);
    context.displayRatio = rect.width / rect.height;
    const Matrix4 model = transform->GetModelMatrix();
    // A flat object has no axis to normalise: every write-back would be NaN.
    if (HasZeroAxis(model))
        return EndDragsOnRelease(context);
    UpdateGizmoContext(context, view, projection, model);
    if (TransformPoint(context.modelViewProjection, Vector3()).z < 0.001f)
        return EndDragsOnRelease(context);

    const float* snap = settings.useSnap ? settings.snap : nullptr;
    int dragType = kNone;
    if (!context.boundsDragging)
    {
        if (settings.operation == kMove)
            dragType = DragMoveHandle(context, *transform, snap);
        else if (settings.operation == kRotate)
            dragType = DragRotateHandle(context, *transform, snap);
        else if (settings.operation == kScale)
            dragType = DragScaleHandle(context, *transform, snap);
    }
    if (settings.boundSizing && !context.dragging)
        SizeLocalBounds(context, canvas, settings.localBounds, *transform,
                        settings.boundsSnapOn ? settings.boundsSnap : nullptr, settings.operation);
    if (context.boundsDragging)
        return;
    if (settings.operation == kMove)
        DrawMoveHandles(context, canvas, dragType);
    else if (settings.operation == kRotate)
        DrawRotateHandles(context, canvas, dragType);
    else if (settings.operation == kScale)
        DrawScaleHandles(context, canvas, dragType);
}
}
