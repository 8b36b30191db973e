// The transform gizmo's maths, hit tests and drags without a GUI.
#include "gizmoscene.h"
#include "vectornear.h"

#include <cmath>

TEST(GizmoSnap, RoundsToTheNearestStepAndLeavesHalfWayAndZeroStepsAlone)
{
    const struct
    {
        float value, step, snapped;
    } cases[] = {
        {1.2f, 0.0f, 1.2f},   {1.2f, -1.0f, 1.2f},  {0.74f, 0.5f, 0.5f},  {0.76f, 0.5f, 1.0f},
        {0.75f, 0.5f, 0.75f}, {-0.74f, 0.5f, -0.5f}, {-0.76f, 0.5f, -1.0f}, {-2.6f, 1.0f, -3.0f},
        {3.0f, 1.0f, 3.0f},   {0.5f, 1.0f, 0.5f},   {-0.5f, 1.0f, -0.5f},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(SnapToStep(c.value, c.step), c.snapped, 1e-5f) << c.value << " by " << c.step;
}

TEST(GizmoGeometry, RayAgainstPlaneGivesTheDistanceOrMinusOneWhenParallel)
{
    const Vector4 floor = PlaneThrough(Vector3(0.0f, 2.0f, 0.0f), Vector3(0.0f, 5.0f, 0.0f));
    EXPECT_FLOAT_EQ(floor.w, 2.0f);
    EXPECT_FLOAT_EQ(RayPlaneDistance(Vector3(1.0f, 7.0f, 3.0f), Vector3(0.0f, -1.0f, 0.0f), floor), 5.0f);
    EXPECT_FLOAT_EQ(RayPlaneDistance(Vector3(1.0f, 7.0f, 3.0f), Vector3(0.0f, 1.0f, 0.0f), floor), -5.0f);
    EXPECT_FLOAT_EQ(RayPlaneDistance(Vector3(1.0f, 7.0f, 3.0f), Vector3(1.0f, 0.0f, 0.0f), floor), -1.0f);
}

TEST(GizmoGeometry, TheClosestPointOfAScreenSegmentStopsAtItsEnds)
{
    const Vector2 a(0.0f, 0.0f), b(10.0f, 0.0f);
    EXPECT_TRUE(ClosestOnSegment({4.0f, 3.0f}, a, b) == Vector2(4.0f, 0.0f));
    EXPECT_TRUE(ClosestOnSegment({-4.0f, 3.0f}, a, b) == a);
    EXPECT_TRUE(ClosestOnSegment({14.0f, -3.0f}, a, b) == b);
}

TEST(GizmoGeometry, DecomposeReadsBackTheTransformsPositionRotationAndScale)
{
    Transform transform;
    transform.SetPosition(Vector3(1.0f, -2.0f, 3.0f));
    transform.SetRotationByQuaternion(Vector3(30.0f, -20.0f, 45.0f));
    transform.SetScale(Vector3(2.0f, 3.0f, 0.5f));
    Vector3 position, degrees, scale;
    DecomposeGizmoMatrix(transform.GetModelMatrix(), position, degrees, scale);
    ExpectNear(position, Vector3(1.0f, -2.0f, 3.0f), "position");
    ExpectNear(degrees, Vector3(30.0f, -20.0f, 45.0f), "rotation", 1e-3f);
    ExpectNear(scale, Vector3(2.0f, 3.0f, 0.5f), "scale");
}

TEST_F(GizmoScene, TheMouseRayRunsThroughThePointShownUnderTheMouse)
{
    Frame(Vector2());
    for (const Vector3& point : {Vector3(0.0f, 0.0f, 0.0f), Vector3(1.5f, -0.5f, 2.0f), Vector3(-3.0f, 1.0f, 4.0f)})
    {
        Frame(Screen(point));
        const Vector3 toPoint = point - context.rayOrigin;
        const Vector3 offRay = toPoint - context.rayDirection * toPoint.Dot(context.rayDirection);
        EXPECT_LT(offRay.Length(), 1e-3f) << point.x << ", " << point.y << ", " << point.z;
        EXPECT_NEAR(context.rayDirection.Length(), 1.0f, 1e-5f);
    }
    // The object's origin is the screen centre, with the 20-pixel square around it.
    ExpectNear(Vector3(context.screenCentre.x, context.screenCentre.y, 0.0f),
               Vector3(Screen(Vector3()).x, Screen(Vector3()).y, 0.0f), "centre", 1e-3f);
    EXPECT_FLOAT_EQ(context.squareMax.x - context.squareMin.x, 20.0f);
}

TEST_F(GizmoScene, AxesThatPointAwayFromTheCameraFlipAndAxesSeenEndOnHide)
{
    LookFrom(Vector3(-4.0f, 3.0f, -6.0f));
    Frame(Vector2());
    EXPECT_EQ(context.directionFactor[0], -1.0f);
    EXPECT_EQ(context.directionFactor[1], 1.0f);
    EXPECT_EQ(context.directionFactor[2], -1.0f);
    // A flipped axis is drawn with dark dashes along it.
    EXPECT_EQ(canvas.Of("line", 0x80000000).size(), 18u);

    LookFrom(Vector3(10.0f, 0.0f, 0.0f));
    Frame(Vector2());
    const bool visible[3] = {ChooseAxisDirection(context, 0).axisVisible, ChooseAxisDirection(context, 1).axisVisible,
                             ChooseAxisDirection(context, 2).axisVisible};
    EXPECT_FALSE(visible[0]);
    EXPECT_TRUE(visible[1]);
    EXPECT_TRUE(visible[2]);
    EXPECT_TRUE(ChooseAxisDirection(context, 0).planeVisible);
    EXPECT_FALSE(ChooseAxisDirection(context, 1).planeVisible);
}

TEST_F(GizmoScene, MoveHandlesAreFoundByTheCentreTheAxesWithinTwelvePixelsAndThePlanes)
{
    Frame(Vector2());
    const Vector2 centre = context.screenCentre;
    EXPECT_EQ(PickMoveHandle(context), kNone);
    const Vector2 grip = AxisGrip(0);
    const Vector2 across = Normalised(Vector2(-(grip - centre).y, (grip - centre).x));
    const struct
    {
        Vector2 mouse;
        int type;
    } cases[] = {
        {centre + Vector2(10.0f, -10.0f), kMoveScreen},
        {grip, kMoveX},
        {grip + across * 10.0f, kMoveX},
        {grip + across * 14.0f, kNone},
        {AxisGrip(1), kMoveX + 1},
        {AxisGrip(2), kMoveX + 2},
    };
    for (const auto& c : cases)
    {
        Frame(c.mouse);
        EXPECT_EQ(PickMoveHandle(context), c.type) << c.mouse.x << ", " << c.mouse.y;
    }
    // The middle of the plane handle across Z.
    Frame(Vector2());
    const AxisChoice choice = ChooseAxisDirection(context, 2);
    const Vector3 inPlane = (choice.planeAxes[0] + choice.planeAxes[1]) * (0.65f * context.sizeFactor);
    Frame(Screen(TransformDirection(context.model, inPlane)));
    EXPECT_EQ(PickMoveHandle(context), kMovePlaneX + 2);
}

TEST_F(GizmoScene, TheScreenRingIsFoundWithinAPixelAndTheFarHalfOfAnAxisRingIsNot)
{
    settings.operation = kRotate;
    Frame(Vector2());
    const float radius = context.ringRadius;
    ASSERT_GT(radius, 0.0f);
    for (const auto& [offset, type] : {std::pair{-0.9f, kRotateScreen}, std::pair{0.9f, kRotateScreen},
                                       std::pair{1.1f, kNone}, std::pair{-1.5f, kNone}})
    {
        Frame(context.screenCentre + Vector2(0.0f, radius + offset));
        EXPECT_EQ(PickRotateHandle(context), type) << offset;
    }
    // The Y ring's point toward the camera is found, the one away from it is not.
    const Vector3 toCamera = Vector3(context.cameraEye.x, 0.0f, context.cameraEye.z).Normalized();
    Frame(Screen(toCamera * context.sizeFactor));
    EXPECT_EQ(PickRotateHandle(context), kRotateX + 1);
    Frame(Screen(-toCamera * context.sizeFactor));
    EXPECT_NE(PickRotateHandle(context), kRotateX + 1);
}

TEST_F(GizmoScene, ADragStartsOnlyOnAPressThatNoGuiItemTakes)
{
    const Vector2 grip = AxisGrip(0);
    const struct
    {
        float down;
        bool hovered, active, starts;
    } cases[] = {{kPressed, false, false, true}, {kHeld, false, false, false}, {kUp, false, false, false},
                 {kPressed, true, false, false}, {kPressed, false, true, false}};
    for (const auto& c : cases)
    {
        Input input;
        input.leftDownSeconds = c.down;
        input.itemHovered = c.hovered;
        input.itemActive = c.active;
        EXPECT_EQ(CanStartGizmoDrag(input), c.starts) << c.down << c.hovered << c.active;
    }
    Frame(grip, kPressed, true);
    EXPECT_FALSE(context.dragging);
    // Hovering a handle asks for the mouse.
    EXPECT_TRUE(context.wantsMouse);
    Frame(grip, kPressed);
    EXPECT_TRUE(context.dragging);
    EXPECT_EQ(context.dragType, kMoveX);
}

TEST_F(GizmoScene, MovingAlongXChangesOnlyXAndShiftSnapsInWholeStepsFromTheStart)
{
    transform.SetPosition(Vector3(0.3f, 0.0f, 0.0f));
    const Vector2 grip = AxisGrip(0);
    const Vector3 gripWorld(0.3f + context.sizeFactor * 0.9f, 0.0f, 0.0f);
    const Vector2 target = Screen(gripWorld + Vector3(1.7f, 0.0f, 0.0f));
    Frame(grip, kPressed);
    Frame(target, kHeld);
    ExpectNear(transform.GetPosition(), Vector3(2.0f, 0.0f, 0.0f), "moved", 1e-3f);
    // The text follows a frame behind, with the grab kept at its place on the handle as its size changes.
    Frame(target, kHeld);
    ASSERT_EQ(canvas.Texts().size(), 1u);
    EXPECT_EQ(canvas.Texts()[0].substr(0, 6), "X : 1.") << canvas.Texts()[0];
    Frame(target, kUp);
    EXPECT_FALSE(context.dragging);

    settings.useSnap = true;
    transform.SetPosition(Vector3(0.3f, 0.0f, 0.0f));
    Drag(AxisGrip(0), target);
    ExpectNear(transform.GetPosition(), Vector3(2.3f, 0.0f, 0.0f), "snapped", 1e-4f);
}

TEST_F(GizmoScene, AChildIsMovedInItsOwnCoordinatesWithoutAJumpAtTheStart)
{
    Transform parent;
    parent.SetPosition(Vector3(5.0f, 0.0f, 0.0f));
    transform.SetParent(&parent);
    transform.SetPosition(Vector3(1.0f, 0.5f, 0.0f));
    const Vector2 grip = AxisGrip(0);
    Frame(grip, kPressed);
    Frame(grip, kHeld);
    ExpectNear(transform.GetPosition(), Vector3(1.0f, 0.5f, 0.0f), "held still", 1e-3f);
    transform.SetParent(nullptr);
}

TEST_F(GizmoScene, ARayGrazingTheMovePlaneJumpsOneUnitAlongTheRay)
{
    Frame(Vector2());
    context.dragging = true;
    context.dragType = kMoveScreen;
    context.dragPlane = Vector4(0.0f, 0.0f, 1.0f, 5.0f);
    context.relativeOrigin = Vector3();
    context.startPosition = Vector3();
    context.rayOrigin = Vector3(0.0f, 0.0f, 0.0f);
    context.rayDirection = Vector3(0.0f, 1.0f, 0.0f);
    DragMoveHandle(context, transform, nullptr);
    ExpectNear(transform.GetPosition(), Vector3(0.0f, 1.0f, 0.0f), "position");
}

TEST_F(GizmoScene, ARotationStartsNearZeroShowsItsAngleAndShiftSnapsIt)
{
    settings.operation = kRotate;
    Frame(Vector2());
    const Vector3 toCamera = Vector3(context.cameraEye.x, 0.0f, context.cameraEye.z).Normalized();
    const Vector2 grip = Screen(toCamera * context.sizeFactor);
    Frame(grip, kPressed);
    ASSERT_EQ(context.dragType, kRotateX + 1);
    Frame(grip, kHeld);
    // The clamped cosine: 0.81 degrees rather than 0.
    EXPECT_NEAR(std::fabs(context.angle) / kPi * 180.0f, 0.81f, 0.01f);

    // A quarter turn about Y reads back as 90 degrees in the transform and the text.
    const Vector3 quarter(toCamera.z, 0.0f, -toCamera.x);
    Frame(Screen(quarter * (context.sizeFactor * 2.0f)), kHeld);
    EXPECT_NEAR(std::fabs(context.angle), kPi / 2.0f, 0.02f);
    const std::string text = canvas.Texts().at(0);
    EXPECT_EQ(text.substr(0, 4), "Y : ");
    EXPECT_NEAR(std::fabs(transform.GetRotation().y), 90.0f, 1.5f);
    Frame(Vector2(), kUp);

    settings.useSnap = true;
    settings.snap[0] = 15.0f;
    transform.SetRotationByQuaternion(Vector3());
    Drag(grip, Screen(Vector3(toCamera.z + toCamera.x, 0.0f, toCamera.z - toCamera.x) * context.sizeFactor));
    // The angle snaps; the turn also keeps the 0.81 degrees the drag started from.
    const float degrees = std::fabs(context.angle) / kPi * 180.0f;
    EXPECT_NEAR(std::fmod(degrees + 1.0f, 15.0f), 1.0f, 1e-2f) << degrees;
    EXPECT_GT(degrees, 1.0f);
    EXPECT_NEAR(std::fabs(transform.GetRotation().y), degrees + 0.81f, 0.02f);
}

TEST_F(GizmoScene, UniformScaleDoublesAfterAHundredPixelsAndNeverGoesBelowAThousandth)
{
    settings.operation = kScale;
    transform.SetScale(Vector3(2.0f, 1.0f, 4.0f));
    Frame(Vector2());
    const Vector2 centre = context.screenCentre;
    Drag(centre, centre + Vector2(100.0f, 0.0f));
    ExpectNear(transform.GetScale(), Vector3(4.0f, 2.0f, 8.0f), "doubled", 1e-4f);
    Frame(Vector2());
    Drag(context.screenCentre, context.screenCentre - Vector2(400.0f, 0.0f));
    ExpectNear(transform.GetScale(), Vector3(0.004f, 0.002f, 0.008f), "least", 1e-6f);
}

TEST_F(GizmoScene, ScalingAnAxisChangesThatAxisAndShiftSnapsTheFactor)
{
    settings.operation = kScale;
    settings.useSnap = true;
    settings.snap[0] = 0.5f;
    const Vector2 grip = AxisGrip(0);
    const Vector2 end = Screen(Vector3(context.sizeFactor * 0.9f * 1.8f, 0.0f, 0.0f));
    Frame(grip, kPressed);
    Frame(end, kHeld);
    ExpectNear(transform.GetScale(), Vector3(2.0f, 1.0f, 1.0f), "snapped", 1e-4f);
    EXPECT_EQ(canvas.Texts(), std::vector<std::string>{"X :  2.00"});
    Frame(end, kUp);
}

TEST(GizmoInfoText, FormatsEachDragTypesValuesAsTheHandlesShowThem)
{
    const struct
    {
        int type;
        Vector3 values;
        std::string text;
    } cases[] = {
        {kMoveX + 1, {9.0f, 1.5f, 9.0f}, "Y : 1.500"},
        {kMovePlaneX, {9.0f, -1.0f, 2.25f}, "Y : -1.000 Z : 2.250"},
        {kMoveScreen, {1.0f, 2.0f, 3.0f}, "X : 1.000 Y : 2.000 Z : 3.000"},
        {kRotateX, {90.0f, 1.5707964f, 0.0f}, "X : 90.00 deg  1.57 rad"},
        {kRotateX + 2, {-90.0f, -1.5707964f, 0.0f}, "Z : -90.00 deg -1.57 rad"},
        {kRotateScreen, {45.0f, 0.785f, 0.0f}, "Screen : 45.00 deg  0.79 rad"},
        {kScaleX + 2, {1.0f, 1.0f, 3.0f}, "Z :  3.00"},
        {kScaleUniform, {2.0f, 2.5f, 2.0f}, "XYZ :  2.50"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InfoText(c.type, c.values), c.text) << c.type;
}

TEST_F(GizmoScene, WithNoTransformOrAZeroScaleNothingIsDrawnOrWritten)
{
    settings.boundSizing = true;
    DrawSceneGizmo(context, canvas, settings, Input{}, rect, view, projection, nullptr);
    EXPECT_TRUE(canvas.shapes.empty());

    transform.SetScale(Vector3(1.0f, 0.0f, 1.0f));
    for (int operation : {kMove, kRotate, kScale})
    {
        settings.operation = operation;
        Drag(Screen(Vector3()), Screen(Vector3(1.0f, 1.0f, 0.0f)));
        EXPECT_TRUE(canvas.shapes.empty());
        EXPECT_FALSE(context.dragging || context.boundsDragging);
    }
    ExpectNear(transform.GetPosition(), Vector3(), "position");
    ExpectNear(transform.GetScale(), Vector3(1.0f, 0.0f, 1.0f), "scale");
}

TEST_F(GizmoScene, AnObjectBehindTheCameraShowsNoGizmo)
{
    transform.SetPosition(Vector3(2.0f, 3.0f, -20.0f));
    Frame(Vector2());
    EXPECT_TRUE(canvas.shapes.empty());
}
