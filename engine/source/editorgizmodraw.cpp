// The transform gizmo's handles as screen shapes.
#include "editorgizmo.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace gizmo
{
namespace
{
constexpr Colour kDirectionColour[3] = {0xFF0000AA, 0xFF00AA00, 0xFFAA0000};
constexpr Colour kPlaneColour[3] = {0x610000AA, 0x6100AA00, 0x61AA0000};
constexpr Colour kWhite = 0xFFFFFFFF;
constexpr Colour kGuideColour = 0xAAAAAAAA;
constexpr Colour kReferenceColour = 0xFF404040;
constexpr Colour kPieFill = 0x801080FF;
constexpr Colour kPieOutline = 0xFF1080FF;
constexpr Colour kDashColour = 0x80000000;
constexpr int kRingPoints = 64;
constexpr float kHandleRadius = 6.0f;

// Entry 0 the centre, ring or uniform dot; 1-3 the axes; 4-6 the planes. What is dragged or hovered shows in
// the selection colour.
std::array<Colour, 7> HandleColours(int dragType)
{
    std::array<Colour, 7> colours{};
    colours[0] = dragType == kMoveScreen || dragType == kRotateScreen || dragType == kScaleUniform ? kSelectionColour
                                                                                                   : kWhite;
    for (int i = 0; i < 3; ++i)
    {
        const bool axis = dragType == kMoveX + i || dragType == kRotateX + i || dragType == kScaleX + i;
        colours[1 + i] = axis ? kSelectionColour : kDirectionColour[i];
        const bool plane = dragType == kMovePlaneX + i || dragType == kMoveScreen;
        colours[4 + i] = plane ? kSelectionColour : kPlaneColour[i];
    }
    return colours;
}

Vector2 ModelToScreen(const Context& context, const Vector3& point)
{
    return WorldToScreen(context, point, context.modelViewProjection);
}

Vector2 ObjectOnScreen(const Context& context)
{
    return WorldToScreen(context, context.ModelPosition(), context.viewProjection);
}

// Where an axis is drawn flipped, dark dashes run along it.
void DrawMirroredAxisDashes(const Context& context, Canvas& canvas, const Vector3& axis)
{
    for (int j = 1; j <= 9; ++j)
    {
        const Vector3 from = axis * (0.05f * 2.0f * static_cast<float>(j) * context.sizeFactor);
        const Vector3 to = axis * (0.05f * (2.0f * static_cast<float>(j) + 1.0f) * context.sizeFactor);
        canvas.Line(ModelToScreen(context, from), ModelToScreen(context, to), kDashColour, 6.0f);
    }
}

void DrawArrowHead(Canvas& canvas, const Vector2& end, const Vector2& object, Colour colour)
{
    const Vector2 d = Normalised(object - end) * kHandleRadius;
    const Vector2 side(d.y, -d.x);
    canvas.FilledTriangle(end - d, end + d + side, end + d - side, colour);
}

void DrawPlaneHandle(const Context& context, Canvas& canvas, const AxisChoice& choice, int axis, Colour fill)
{
    static const Vector2 kCorners[4] = {{0.5f, 0.5f}, {0.5f, 0.8f}, {0.8f, 0.8f}, {0.8f, 0.5f}};
    std::vector<Vector2> quad;
    for (const Vector2& corner : kCorners)
        quad.push_back(ModelToScreen(
            context, (choice.planeAxes[0] * corner.x + choice.planeAxes[1] * corner.y) * context.sizeFactor));
    canvas.Polyline(quad, kDirectionColour[axis], true, 1.0f);
    canvas.FilledConvex(quad, fill);
}

void DrawMoveGuide(const Context& context, Canvas& canvas)
{
    const Vector2 start = WorldToScreen(context, context.startPosition, context.viewProjection);
    const Vector2 current = ObjectOnScreen(context);
    canvas.Circle(start, kHandleRadius, kGuideColour, 12, 1.0f);
    canvas.Circle(current, kHandleRadius, kGuideColour, 12, 1.0f);
    const Vector2 along = Normalised(current - start) * 5.0f;
    canvas.Line(start + along, current - along, kGuideColour, 2.0f);
    DrawInfoText(canvas, current, InfoText(context.dragType, context.ModelPosition() - context.startPosition));
}
}

void DrawInfoText(Canvas& canvas, const Vector2& anchor, const std::string& text)
{
    canvas.Text(anchor + Vector2(15.0f, 15.0f), kShadowColour, text);
    canvas.Text(anchor + Vector2(14.0f, 14.0f), kTextColour, text);
}

std::string InfoText(int dragType, const Vector3& values)
{
    struct Format
    {
        const char* text;
        unsigned first, second, third;
    };
    // By drag type; rotations take degrees and radians as their first two values.
    static const Format kFormats[] = {
        {"", 0, 0, 0},
        {"X : %5.3f", 0, 0, 0},
        {"Y : %5.3f", 1, 0, 0},
        {"Z : %5.3f", 2, 0, 0},
        {"Y : %5.3f Z : %5.3f", 1, 2, 0},
        {"X : %5.3f Z : %5.3f", 0, 2, 0},
        {"X : %5.3f Y : %5.3f", 0, 1, 0},
        {"X : %5.3f Y : %5.3f Z : %5.3f", 0, 1, 2},
        {"X : %5.2f deg %5.2f rad", 0, 1, 0},
        {"Y : %5.2f deg %5.2f rad", 0, 1, 0},
        {"Z : %5.2f deg %5.2f rad", 0, 1, 0},
        {"Screen : %5.2f deg %5.2f rad", 0, 1, 0},
        {"X : %5.2f", 0, 0, 0},
        {"Y : %5.2f", 1, 0, 0},
        {"Z : %5.2f", 2, 0, 0},
        {"XYZ : %5.2f", 1, 0, 0},
    };
    if (dragType <= kNone || dragType > kScaleUniform)
        return {};
    const Format& format = kFormats[dragType];
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format.text, static_cast<double>(values[format.first]),
                  static_cast<double>(values[format.second]), static_cast<double>(values[format.third]));
    return buffer;
}

void DrawMoveHandles(Context& context, Canvas& canvas, int dragType)
{
    const std::array<Colour, 7> colours = HandleColours(dragType);
    const Vector2 object = ObjectOnScreen(context);
    for (int i = 0; i < 3; ++i)
    {
        const AxisChoice choice = ChooseAxisDirection(context, i);
        if (choice.axisVisible)
        {
            const Vector2 from = ModelToScreen(context, choice.axis * (context.sizeFactor * 0.1f));
            const Vector2 end = ModelToScreen(context, choice.axis * context.sizeFactor);
            canvas.Line(from, end, colours[1 + i], 3.0f);
            DrawArrowHead(canvas, end, object, colours[1 + i]);
            if (context.directionFactor[i] < 0.0f)
                DrawMirroredAxisDashes(context, canvas, choice.axis);
        }
        if (choice.planeVisible)
            DrawPlaneHandle(context, canvas, choice, i, colours[4 + i]);
    }
    canvas.FilledCircle(context.screenCentre, kHandleRadius, colours[0], 32);
    if (context.dragging)
        DrawMoveGuide(context, canvas);
}

void DrawRotateHandles(Context& context, Canvas& canvas, int dragType)
{
    const std::array<Colour, 7> colours = HandleColours(dragType);
    const Vector2 object = ObjectOnScreen(context);
    const Vector3 toObject =
        TransformDirection(context.inverseModel, (context.ModelPosition() - context.cameraEye).Normalized());
    context.ringRadius = 0.06f * context.rect.height;
    for (int a = 0; a < 3; ++a)
    {
        // The half ring that faces the camera.
        const float start = std::atan2(toObject[(4 - a) % 3], toObject[(3 - a) % 3]) + kPi / 2.0f;
        std::vector<Vector2> ring;
        for (int k = 0; k < kRingPoints; ++k)
        {
            const float angle = start + kPi * static_cast<float>(k) / static_cast<float>(kRingPoints);
            const Vector3 p(std::cos(angle), std::sin(angle), 0.0f);
            const Vector3 point(p[a], p[(a + 1) % 3], p[(a + 2) % 3]);
            ring.push_back(ModelToScreen(context, point * context.sizeFactor));
        }
        canvas.Polyline(ring, colours[3 - a], false, 2.0f);
        context.ringRadius = std::max(context.ringRadius, (ring.front() - object).Length());
    }
    canvas.Circle(object, context.ringRadius, colours[0], kRingPoints, 3.0f);
    if (!context.dragging)
        return;
    const Vector3 normal(context.dragPlane.x, context.dragPlane.y, context.dragPlane.z);
    std::vector<Vector2> fan = {object};
    for (int k = 1; k < kRingPoints; ++k)
    {
        const Matrix4 turn = RotationAbout(normal, context.angle * static_cast<float>(k - 1) / (kRingPoints - 1));
        const Vector3 point = context.ModelPosition() + TransformDirection(turn, context.ringStart) * context.sizeFactor;
        fan.push_back(WorldToScreen(context, point, context.viewProjection));
    }
    canvas.FilledConvex(fan, kPieFill);
    canvas.Polyline(fan, kPieOutline, true, 2.0f);
    DrawInfoText(canvas, fan[1],
                 InfoText(context.dragType, Vector3(context.angle / kPi * 180.0f, context.angle, 0.0f)));
}

void DrawScaleHandles(Context& context, Canvas& canvas, int dragType)
{
    const std::array<Colour, 7> colours = HandleColours(dragType);
    const Vector3 shown = context.dragging ? context.scaleFactors : Vector3(1.0f, 1.0f, 1.0f);
    for (int i = 0; i < 3; ++i)
    {
        const AxisChoice choice = ChooseAxisDirection(context, i);
        if (!choice.axisVisible)
            continue;
        const Vector2 from = ModelToScreen(context, choice.axis * (context.sizeFactor * 0.1f));
        if (context.dragging)
        {
            const Vector2 reference = ModelToScreen(context, choice.axis * context.sizeFactor);
            canvas.Line(from, reference, kReferenceColour, 3.0f);
            canvas.FilledCircle(reference, kHandleRadius, kReferenceColour, 12);
        }
        const Vector2 end = ModelToScreen(context, choice.axis * (shown[i] * context.sizeFactor));
        canvas.Line(from, end, colours[1 + i], 3.0f);
        canvas.FilledCircle(end, kHandleRadius, colours[1 + i], 12);
        if (context.directionFactor[i] < 0.0f)
            DrawMirroredAxisDashes(context, canvas, choice.axis * shown[i]);
    }
    canvas.FilledCircle(context.screenCentre, kHandleRadius, colours[0], 32);
    if (context.dragging)
        DrawInfoText(canvas, ObjectOnScreen(context), InfoText(context.dragType, shown));
}
}
