#include "c_transform.h"
#include "debugshapes.h"
#include "vectornear.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kTolerance = 1e-4f;

// Every point of the shape's segments, which lie on a circle or a box around the offset.
float LargestDistance(const DebugShape& shape, const Vector3& centre, Vector3 along = {1, 1, 1})
{
    float largest = 0.0f;
    for (const DebugSegment& segment : shape.segments)
        for (const Vector3& point : {segment.from, segment.to})
        {
            const Vector3 d = point - centre;
            largest = std::max(largest, Vector3(d.x * along.x, d.y * along.y, d.z * along.z).Length());
        }
    return largest;
}

const DebugStyle kStyle{Vector3(1, 0, 0), 4.0f, 0.0f};

class DebugShapesTest : public ::testing::Test
{
protected:
    DebugShapesTest()
    {
        transform.SetPosition({1, 2, 3});
        transform.SetRotation({0, 90, 0});
        transform.SetScale({2, 2, 2});
    }

    Transform transform;
    DebugShapes shapes;
};
}

TEST(DebugCircle, HasFortyEightSegmentsThatCloseTheCircle)
{
    DebugShape shape;
    AddDebugCircle({1, 0, 0}, {0, 0, 1}, {0, 5, 0}, 2.0f, shape);
    ASSERT_EQ(shape.segments.size(), 48u);
    ExpectNear(shape.segments.front().from, {2, 5, 0}, "first", kTolerance);
    ExpectNear(shape.segments.back().to, {2, 5, 0}, "last", kTolerance);
    for (std::size_t i = 1; i < shape.segments.size(); ++i)
        ExpectNear(shape.segments[i].from, shape.segments[i - 1].to, "joined", kTolerance);
    EXPECT_NEAR(LargestDistance(shape, {0, 5, 0}), 2.0f, kTolerance);
}

TEST_F(DebugShapesTest, AShapeStartsWithTheDefaults)
{
    const DebugShape& shape = shapes.AddDebugShape();
    EXPECT_TRUE(shape.segments.empty());
    EXPECT_EQ(shape.model, Matrix4());
    EXPECT_EQ(shape.colour, Vector3(0.8f, 0.8f, 1.0f));
    EXPECT_EQ(shape.timeToLive, 0.0f);
    EXPECT_EQ(shape.lineWidth, 1.0f);
}

TEST_F(DebugShapesTest, ABoxIsTwoFacesAndTheirJoiningEdgesScaledByTheObject)
{
    AddBoxShape(shapes, transform, {0, 1, 0}, {1, 2, 3}, kStyle);
    ASSERT_EQ(shapes.Shapes().size(), 3u);
    for (const DebugShape& shape : shapes.Shapes())
    {
        EXPECT_EQ(shape.segments.size(), 4u);
        EXPECT_EQ(shape.colour, kStyle.colour);
        EXPECT_EQ(shape.lineWidth, kStyle.lineWidth);
        // Position and rotation only: the scale went into the points.
        EXPECT_EQ(shape.model, Matrix4::ComposeTRS({1, 2, 3}, transform.GetRotationMatrix(), {1, 1, 1}));
    }
    // Half extents (1, 2, 3): the near face from (-,+) round to (-,-), then the far face, then the edges.
    ExpectNear(shapes.Shapes()[0].segments[0].from, {-1, 3, -3}, "", kTolerance);
    ExpectNear(shapes.Shapes()[0].segments[0].to, {1, 3, -3}, "", kTolerance);
    ExpectNear(shapes.Shapes()[0].segments[3].from, {-1, -1, -3}, "", kTolerance);
    ExpectNear(shapes.Shapes()[1].segments[1].to, {1, -1, 3}, "", kTolerance);
    ExpectNear(shapes.Shapes()[2].segments[2].from, {1, -1, -3}, "", kTolerance);
    ExpectNear(shapes.Shapes()[2].segments[2].to, {1, -1, 3}, "", kTolerance);
}

TEST_F(DebugShapesTest, ASphereIsThreeCirclesOfItsOwnRadius)
{
    AddSphereShape(shapes, transform, {0, 1, 0}, 0.5f, kStyle);
    ASSERT_EQ(shapes.Shapes().size(), 1u);
    const DebugShape& sphere = shapes.Shapes()[0];
    EXPECT_EQ(sphere.segments.size(), 3 * 48u);
    // The object's scale of 2 does not grow it.
    EXPECT_NEAR(LargestDistance(sphere, {0, 1, 0}), 0.5f, kTolerance);
    // In the y-z, x-z and x-y planes, in that order.
    DebugShape first, last;
    first.segments.assign(sphere.segments.begin(), sphere.segments.begin() + 48);
    last.segments.assign(sphere.segments.end() - 48, sphere.segments.end());
    EXPECT_NEAR(LargestDistance(first, {0, 1, 0}, {1, 0, 0}), 0.0f, kTolerance);
    EXPECT_NEAR(LargestDistance(last, {0, 1, 0}, {0, 0, 1}), 0.0f, kTolerance);
}

TEST_F(DebugShapesTest, ACapsuleHasItsAxisAndOneOrTwoScaledCircles)
{
    const struct
    {
        float height;
        std::size_t segments;
        float highestCircle; // y of the upper circle's points, scale 2 applied
    } cases[] = {
        {2.0f, 1 + 2 * 48u, 1.0f + 2.0f * 2.0f / 4.0f},
        {0.5f, 1 + 48u, 1.0f},
        {0.25f, 1 + 48u, 1.0f},
    };
    for (const auto& c : cases)
    {
        DebugShapes capsule;
        AddCapsuleShape(capsule, transform, {0, 1, 0}, 0.5f, c.height, kStyle);
        ASSERT_EQ(capsule.Shapes().size(), 1u) << c.height;
        const DebugShape& shape = capsule.Shapes()[0];
        EXPECT_EQ(shape.segments.size(), c.segments) << c.height;
        ExpectNear(shape.segments[0].from, {0, 1 + c.height, 0}, "", kTolerance);
        ExpectNear(shape.segments[0].to, {0, 1 - c.height, 0}, "", kTolerance);
        ExpectNear(shape.segments[1].from, {1, c.highestCircle, 0}, "", kTolerance);
    }
}

TEST_F(DebugShapesTest, UpdatingAgesShapesAndDropsThoseBelowZero)
{
    shapes.AddDebugShape().timeToLive = 0.0f;
    shapes.AddDebugShape().timeToLive = 1.0f;
    shapes.AddDebugShape().timeToLive = 0.5f;
    // A frame time of 0 keeps even the shapes that had no time left.
    shapes.UpdateDebugShapes(0.0f);
    EXPECT_EQ(shapes.Shapes().size(), 3u);
    shapes.UpdateDebugShapes(0.5f);
    ASSERT_EQ(shapes.Shapes().size(), 2u);
    EXPECT_FLOAT_EQ(shapes.Shapes()[0].timeToLive, 0.5f);
    EXPECT_FLOAT_EQ(shapes.Shapes()[1].timeToLive, 0.0f);
    shapes.UpdateDebugShapes(0.25f);
    ASSERT_EQ(shapes.Shapes().size(), 1u);
    EXPECT_FLOAT_EQ(shapes.Shapes()[0].timeToLive, 0.25f);
}
