#pragma once
// The transform gizmo: move, rotate and scale handles and the local bounds box over the inspected object,
// drawn as screen-space shapes. The maths takes the mouse and the GUI's hover state as plain inputs and draws
// through GizmoCanvas, so it runs without a GUI or GL.
//
// Matrices are Matrix4 storage read as rows: floats 0-3, 4-7 and 8-11 are the right, up and forward axes and
// 12-15 the position; a point is x·row0 + y·row1 + z·row2 + row3, and the model-view-projection is
// Mul(Mul(model, view), projection).
#include "TorvaneMath.h"
#include "editorlayout.h"
#include "matrix4.h"

#include <cstdint>
#include <string>
#include <vector>

class TransformInterface;

namespace gizmo
{
enum Operation : int
{
    kMove = 0,
    kRotate = 1,
    kScale = 2,
    kNoOperation = 4,
};

// What is dragged or hovered.
enum DragType : int
{
    kNone = 0,
    kMoveX = 1,
    kMovePlaneX = 4,
    kMoveScreen = 7,
    kRotateX = 8,
    kRotateScreen = 11,
    kScaleX = 12,
    kScaleUniform = 15,
};

// ImGui colours: alpha in the top byte, then blue, green, red.
using Colour = std::uint32_t;
inline constexpr Colour kSelectionColour = 0x8A1080FF;
inline constexpr Colour kShadowColour = 0xFF000000;
inline constexpr Colour kTextColour = 0xFFFFFFFF;

// Where the shapes go: the editor's draw list, or a recorder in the tests.
class Canvas
{
public:
    virtual ~Canvas() = default;
    virtual void Line(const Vector2& from, const Vector2& to, Colour colour, float thickness) = 0;
    virtual void Circle(const Vector2& centre, float radius, Colour colour, int segments, float thickness) = 0;
    virtual void FilledCircle(const Vector2& centre, float radius, Colour colour, int segments) = 0;
    virtual void FilledTriangle(const Vector2& a, const Vector2& b, const Vector2& c, Colour colour) = 0;
    virtual void Polyline(const std::vector<Vector2>& points, Colour colour, bool closed, float thickness) = 0;
    virtual void FilledConvex(const std::vector<Vector2>& points, Colour colour) = 0;
    virtual void Text(const Vector2& at, Colour colour, const std::string& text) = 0;
};

// The editor's gizmo settings, set by the toolbar.
struct Settings
{
    int operation = kMove;
    bool useSnap = false;
    float snap[3] = {1.0f, 1.0f, 1.0f};
    float localBounds[6] = {-0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f};
    float boundsSnap[3] = {0.1f, 0.1f, 0.1f};
    bool showSnapValue = false;
    bool boundSizing = false;
    bool boundsSnapOn = false;
    float toolHoverSeconds[3] = {0.0f, 0.0f, 0.0f};
};

// The mouse and the GUI's state for one frame.
struct Input
{
    Vector2 mouse;
    // 0 in the frame the left button went down, negative while it is up.
    float leftDownSeconds = -1.0f;
    // A GUI item hovered this frame or the previous one, or one active.
    bool itemHovered = false;
    bool itemActive = false;

    bool LeftDown() const { return leftDownSeconds >= 0.0f; }
};

// The gizmo's state between frames and the frame's derived values.
struct Context
{
    Matrix4 view;
    Matrix4 projection;
    // The object's matrix with unit axes, and as given.
    Matrix4 model;
    Matrix4 inverseModel;
    Matrix4 sourceModel;
    Matrix4 inverseSourceModel;
    Matrix4 modelViewProjection;
    Matrix4 viewProjection;
    Vector3 startLengths;
    Vector3 cameraEye;
    Vector3 cameraRight;
    Vector3 cameraForward;
    Vector3 cameraUp;
    Vector3 rayOrigin;
    Vector3 rayDirection;
    float ringRadius = 0.0f;
    Vector2 screenCentre;
    Vector2 squareMin;
    Vector2 squareMax;
    // The world length that covers 0.1 of clip space at the object.
    float sizeFactor = 0.0f;
    Vector3 relativeOrigin;
    bool dragging = false;
    // Unit normal and distance: points p with normal·p = w.
    Vector4 dragPlane;
    Vector3 dragPlaneOrigin;
    Vector3 startPosition;
    Vector3 ringStart;
    float angle = 0.0f;
    float previousAngle = 0.0f;
    Vector3 scaleFactors{1.0f, 1.0f, 1.0f};
    Vector3 startScaleLengths;
    float startMouseX = 0.0f;
    bool axisVisible[3] = {};
    bool planeVisible[3] = {};
    float directionFactor[3] = {1.0f, 1.0f, 1.0f};

    // The bounds drag.
    Vector3 boundsPivot;
    Vector3 boundsAnchor;
    Vector4 boundsPlane;
    Vector3 localPivot;
    int bestAxis = 0;
    int resizedAxes[2] = {0, -1};
    bool boundsDragging = false;
    Matrix4 boundsStart;

    int dragType = kNone;
    PanelRect rect;
    float displayRatio = 1.0f;
    Input input;
    // Set when the GUI should leave the mouse to the gizmo in the next frame.
    bool wantsMouse = false;

    Vector3 ModelPosition() const { return {model.m[12], model.m[13], model.m[14]}; }
};

// The axis, the two plane axes (model space, possibly flipped to face the viewer) and their visibility.
struct AxisChoice
{
    Vector3 axis;
    Vector3 planeAxes[2];
    bool axisVisible = false;
    bool planeVisible = false;
};

// The float epsilon: the threshold of every parallel, zero-length and flip test of the gizmo.
inline constexpr float kTiny = 1.1920929e-07f;

// Row 0-3 of the matrix, x, y and z.
Vector3 RowOf(const Matrix4& matrix, int row);
// The unit vector along v; a zero vector stays zero.
Vector2 Normalised(const Vector2& v);

// Row-convention helpers.
Matrix4 Mul(const Matrix4& first, const Matrix4& then);
Vector4 TransformPoint(const Matrix4& matrix, const Vector3& point);
Vector3 TransformDirection(const Matrix4& matrix, const Vector3& direction);
Matrix4 Translation(const Vector3& offset);
Matrix4 RotationAbout(const Vector3& axis, float angle);

// The value moved to the nearest multiple of step; exactly half way stays put, a step of 0 changes nothing.
float SnapToStep(float value, float step);
// Through point with normal (normalised), distance in w.
Vector4 PlaneThrough(const Vector3& point, const Vector3& normal);
// Distance along the ray to the plane; -1 when the ray runs parallel to it.
float RayPlaneDistance(const Vector3& origin, const Vector3& direction, const Vector4& plane);
Vector2 WorldToScreen(const Context& context, const Vector3& point, const Matrix4& matrix);
float ClipSpaceLength(const Context& context, const Vector3& start, const Vector3& end);
float ClipSpaceArea(const Context& context, const Vector3& origin, const Vector3& a, const Vector3& b);
Vector2 ClosestOnSegment(const Vector2& point, const Vector2& a, const Vector2& b);
// Scale per axis row, Euler degrees and translation.
void DecomposeGizmoMatrix(const Matrix4& matrix, Vector3& translation, Vector3& rotationDegrees, Vector3& scale);

void UpdateGizmoContext(Context& context, const Matrix4& view, const Matrix4& projection, const Matrix4& model);
AxisChoice ChooseAxisDirection(Context& context, int axis);
float AngleOnDragPlane(const Context& context);
int PickMoveHandle(Context& context);
int PickRotateHandle(Context& context);
int PickScaleHandle(Context& context);
// The hit test of the operation; 0 for none.
int PickHandle(Context& context, int operation);
// A press this frame, with no GUI item under the mouse or in use.
bool CanStartGizmoDrag(const Input& input);

// Each handles the operation's handles for a frame and returns the drag type of the frame (the hovered one
// while idle). Snap values null: no snapping.
int DragMoveHandle(Context& context, TransformInterface& transform, const float* snap);
int DragRotateHandle(Context& context, TransformInterface& transform, const float* snap);
int DragScaleHandle(Context& context, TransformInterface& transform, const float* snap);

void DrawMoveHandles(Context& context, Canvas& canvas, int dragType);
void DrawRotateHandles(Context& context, Canvas& canvas, int dragType);
void DrawScaleHandles(Context& context, Canvas& canvas, int dragType);
// The text at anchor with its shadow.
void DrawInfoText(Canvas& canvas, const Vector2& anchor, const std::string& text);
// The drag's text, as the handles show it.
std::string InfoText(int dragType, const Vector3& values);

// Resizing by the local bounds box; bounds snap null: no snapping.
void SizeLocalBounds(Context& context, Canvas& canvas, const float* bounds, TransformInterface& transform,
                     const float* boundsSnap, int operation);

// One gizmo frame in the rectangle: handles, bounds and drawing for the transform, or nothing without one.
void DrawSceneGizmo(Context& context, Canvas& canvas, const Settings& settings, const Input& input,
                    const PanelRect& rect, const Matrix4& view, const Matrix4& projection,
                    TransformInterface* transform);
}
