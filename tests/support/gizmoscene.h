#pragma once
// The transform gizmo run a frame at a time without a GUI: the mouse and the button are inputs, the shapes go
// to a recorder.
#include "c_transform.h"
#include "editorgizmo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gizmo;

struct Shape
{
    std::string kind;
    std::vector<Vector2> points;
    Colour colour;
    float size;
    std::string text;
};

class RecordingCanvas : public Canvas
{
public:
    void Line(const Vector2& from, const Vector2& to, Colour colour, float thickness) override
    {
        shapes.push_back({"line", {from, to}, colour, thickness, {}});
    }
    void Circle(const Vector2& centre, float radius, Colour colour, int, float) override
    {
        shapes.push_back({"circle", {centre}, colour, radius, {}});
    }
    void FilledCircle(const Vector2& centre, float radius, Colour colour, int) override
    {
        shapes.push_back({"disc", {centre}, colour, radius, {}});
    }
    void FilledTriangle(const Vector2& a, const Vector2& b, const Vector2& c, Colour colour) override
    {
        shapes.push_back({"triangle", {a, b, c}, colour, 0.0f, {}});
    }
    void Polyline(const std::vector<Vector2>& points, Colour colour, bool, float thickness) override
    {
        shapes.push_back({"polyline", points, colour, thickness, {}});
    }
    void FilledConvex(const std::vector<Vector2>& points, Colour colour) override
    {
        shapes.push_back({"convex", points, colour, 0.0f, {}});
    }
    void Text(const Vector2& at, Colour colour, const std::string& text) override
    {
        shapes.push_back({"text", {at}, colour, 0.0f, text});
    }

    std::vector<Shape> Of(const std::string& kind, Colour colour) const
    {
        std::vector<Shape> found;
        for (const Shape& shape : shapes)
            if (shape.kind == kind && shape.colour == colour)
                found.push_back(shape);
        return found;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Shape& shape : shapes)
            if (shape.kind == "text" && shape.colour == kTextColour)
                texts.push_back(shape.text);
        return texts;
    }

    std::vector<Shape> shapes;
};

inline constexpr float kPressed = 0.0f;
inline constexpr float kHeld = 0.2f;
inline constexpr float kUp = -1.0f;
inline constexpr Colour kBoxGrey = 0xFFAAAAAA;

// An object in front of a camera, in an 800 × 600 picture at (100, 50), run a frame at a time as the editor
// does.
class GizmoScene : public ::testing::Test
{
protected:
    GizmoScene() { LookFrom(Vector3(2.0f, 3.0f, -8.0f)); }

    void LookFrom(const Vector3& eye, const Vector3& target = Vector3())
    {
        view = LookAt(eye, target);
        projection = Perspective(60.0f, rect.width / rect.height, 0.1f, 100.0f);
    }
    // One gizmo frame with the mouse there and the left button pressed this frame, held or up.
    void Frame(const Vector2& mouse, float leftDown = kUp, bool itemHovered = false)
    {
        canvas.shapes.clear();
        Input input;
        input.mouse = mouse;
        input.leftDownSeconds = leftDown;
        input.itemHovered = itemHovered;
        DrawSceneGizmo(context, canvas, settings, input, rect, view, projection, &transform);
    }
    // Press at from, drag to to over a few frames, release there.
    void Drag(const Vector2& from, const Vector2& to, int steps = 4)
    {
        Frame(from);
        Frame(from, kPressed);
        for (int step = 1; step <= steps; ++step)
            Frame(from + (to - from) * (static_cast<float>(step) / static_cast<float>(steps)), kHeld);
        Frame(to, kUp);
    }
    Vector2 Screen(const Vector3& world) const { return WorldToScreen(context, world, context.viewProjection); }
    // The end of the drawn axis handle, at 0.9 of its length from the object.
    Vector2 AxisGrip(int axis)
    {
        Frame(Vector2());
        const AxisChoice choice = ChooseAxisDirection(context, axis);
        return Screen(context.ModelPosition() +
                      TransformDirection(context.model, choice.axis) * (context.sizeFactor * 0.9f));
    }

    PanelRect rect{100.0f, 50.0f, 800.0f, 600.0f};
    Matrix4 view;
    Matrix4 projection;
    Context context;
    Settings settings;
    Transform transform;
    RecordingCanvas canvas;
};
