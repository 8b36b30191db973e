// Resizing by the local bounds box, headless.
#include "gizmoscene.h"
#include "vectornear.h"

#include <algorithm>

namespace
{
// A 4 × 4 × 4 box seen straight along +z, so its face across z shows alone.
class BoundsScene : public GizmoScene
{
protected:
    BoundsScene()
    {
        LookFrom(Vector3(0.0f, 0.0f, -10.0f));
        settings.boundSizing = true;
        transform.SetScale(Vector3(4.0f, 4.0f, 4.0f));
        Frame(Vector2());
    }
    // The anchor discs drawn this frame (their black rims).
    std::vector<Vector2> Rims(float radius) const
    {
        std::vector<Vector2> rims;
        for (const Shape& shape : canvas.Of("disc", kShadowColour))
            if (shape.size == radius)
                rims.push_back(shape.points[0]);
        return rims;
    }
    static bool Near(const Vector2& a, const Vector2& b) { return (a - b).Length() < 0.5f; }
};
}

TEST_F(BoundsScene, SeenAlongAnAxisOnlyItsFaceShowsAndObliquelyEveryFacingFaceMostFacingFirst)
{
    const std::vector<Vector2> corners = Rims(8.0f);
    ASSERT_EQ(corners.size(), 4u);
    for (const Vector3& corner : {Vector3(-2.0f, -2.0f, 0.0f), Vector3(-2.0f, 2.0f, 0.0f), Vector3(2.0f, 2.0f, 0.0f),
                                  Vector3(2.0f, -2.0f, 0.0f)})
        EXPECT_TRUE(std::ranges::any_of(corners, [&](const Vector2& rim) { return Near(rim, Screen(corner)); }))
            << corner.x << ", " << corner.y;
    EXPECT_EQ(Rims(6.0f).size(), 4u);

    // From above and a little to the side: y faces the camera most, then z; x is seen too edge-on.
    LookFrom(Vector3(0.5f, 9.0f, -4.0f));
    Frame(Vector2());
    const std::vector<Vector2> oblique = Rims(8.0f);
    ASSERT_EQ(oblique.size(), 8u);
    // Face y's corner 0 (min z, min x) first, then face z's corner 0 (min x, min y).
    EXPECT_TRUE(Near(oblique[0], Screen(Vector3(-2.0f, 0.0f, -2.0f))));
    EXPECT_TRUE(Near(oblique[4], Screen(Vector3(-2.0f, -2.0f, 0.0f))));
}

TEST_F(BoundsScene, ACornerDragResizesTwoAxesAndAnEdgeDragOneKeepingTheOppositeSideInPlace)
{
    Drag(Screen(Vector3(2.0f, 2.0f, 0.0f)), Screen(Vector3(3.0f, 2.5f, 0.0f)));
    ExpectNear(transform.GetScale(), Vector3(5.0f, 4.5f, 4.0f), "corner scale", 1e-3f);
    ExpectNear(transform.GetPosition(), Vector3(0.5f, 0.25f, 0.0f), "corner position", 1e-3f);
    EXPECT_FALSE(context.boundsDragging);

    // The middle of the top edge, now at y = 2.5.
    Frame(Vector2());
    Drag(Screen(Vector3(0.5f, 2.5f, 0.0f)), Screen(Vector3(0.5f, 3.5f, 0.0f)));
    ExpectNear(transform.GetScale(), Vector3(5.0f, 5.5f, 4.0f), "edge scale", 1e-3f);
    ExpectNear(transform.GetPosition(), Vector3(0.5f, 0.75f, 0.0f), "edge position", 1e-3f);
}

TEST_F(BoundsScene, WhileDraggingTheSizesShowAndTheHandlesHide)
{
    const Vector2 corner = Screen(Vector3(2.0f, 2.0f, 0.0f));
    Frame(corner, kPressed);
    Frame(Screen(Vector3(3.0f, 2.0f, 0.0f)), kHeld);
    EXPECT_EQ(canvas.Texts(), std::vector<std::string>{"X: 5.00 Y: 4.00 Z:4.00"});
    EXPECT_TRUE(canvas.Of("line", 0xFF0000AA).empty());
}

TEST_F(BoundsScene, WithBoundsSnapTheSizeMovesInTenthsOfALocalUnit)
{
    settings.boundsSnapOn = true;
    Drag(Screen(Vector3(2.0f, 2.0f, 0.0f)), Screen(Vector3(3.1f, 2.0f, 0.0f)));
    // 5.1 / 4 local units is 1.275, snapped to 1.3.
    ExpectNear(transform.GetScale(), Vector3(5.2f, 4.0f, 4.0f), "scale", 1e-3f);
    ExpectNear(transform.GetPosition(), Vector3(0.6f, 0.0f, 0.0f), "position", 1e-3f);
}

TEST_F(BoundsScene, AFlatBoxKeepsItsFlatAxisSnappedOrNot)
{
    const float flatX[6] = {0.0f, -0.5f, -0.5f, 0.0f, 0.5f, 0.5f};
    std::copy(std::begin(flatX), std::end(flatX), settings.localBounds);
    for (bool snapped : {false, true})
    {
        settings.boundsSnapOn = snapped;
        transform.SetScale(Vector3(4.0f, 4.0f, 4.0f));
        transform.SetPosition(Vector3());
        Frame(Vector2());
        Drag(Screen(Vector3(0.0f, 2.0f, 0.0f)), Screen(Vector3(1.0f, 3.2f, 0.0f)));
        ExpectNear(transform.GetScale(), Vector3(4.0f, 5.2f, 4.0f), snapped ? "snapped" : "free", 1e-3f);
    }
}

TEST_F(BoundsScene, ARotatedObjectKeepsItsRotation)
{
    transform.SetRotationByQuaternion(Vector3(0.0f, 0.0f, 30.0f));
    Frame(Vector2());
    const Vector2 corner = Rims(8.0f).at(2);
    Drag(corner, corner + Vector2(20.0f, -20.0f));
    ExpectNear(transform.GetRotation(), Vector3(0.0f, 0.0f, 30.0f), "rotation", 1e-3f);
    EXPECT_NE(transform.GetScale().x, 4.0f);
}

TEST_F(BoundsScene, AHandleUnderTheMouseTakesThePressFromAnAnchor)
{
    const float fromOrigin[6] = {0.0f, 0.0f, 0.0f, 0.5f, 0.5f, 0.5f};
    std::copy(std::begin(fromOrigin), std::end(fromOrigin), settings.localBounds);
    Frame(Vector2());
    Frame(Screen(Vector3()), kPressed);
    EXPECT_TRUE(context.dragging);
    EXPECT_EQ(context.dragType, kMoveScreen);
    EXPECT_FALSE(context.boundsDragging);
}

TEST_F(BoundsScene, EdgesAreDashedEveryTenPixelsUpToAThousandAndSkippedOffScreen)
{
    // One world unit to the pixel.
    projection = Orthographic(-400.0f, 400.0f, -300.0f, 300.0f, 1.0f, 15.0f);
    transform.SetScale(Vector3(25.0f, 25.0f, 25.0f));
    Frame(Vector2());
    const std::vector<Shape> dashes = canvas.Of("line", kBoxGrey);
    ASSERT_EQ(dashes.size(), 8u);
    EXPECT_NEAR((dashes[0].points[1] - dashes[0].points[0]).Length(), 6.25f, 1e-3f);

    rect = {0.0f, 0.0f, 20000.0f, 15000.0f};
    projection = Orthographic(-10000.0f, 10000.0f, -7500.0f, 7500.0f, 1.0f, 15.0f);
    transform.SetScale(Vector3(12000.0f, 12000.0f, 12000.0f));
    Frame(Vector2());
    EXPECT_EQ(canvas.Of("line", kBoxGrey).size(), 4000u);

    // Wider than the picture: every edge has a corner outside it.
    transform.SetScale(Vector3(30000.0f, 100.0f, 100.0f));
    Frame(Vector2());
    EXPECT_EQ(canvas.Of("line", kBoxGrey).size(), 0u);
    EXPECT_TRUE(Rims(8.0f).empty());
}
