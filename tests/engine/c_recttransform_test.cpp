#include "c_recttransform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
Vector4 Corner(const Matrix4& model, float x, float y)
{
    return model * Vector4(x, y, 0.0f, 1.0f);
}

void ExpectPoint(const Vector4& actual, float x, float y, const std::string& what)
{
    constexpr float kTolerance = 1e-3f;
    EXPECT_NEAR(actual.x, x, kTolerance) << what;
    EXPECT_NEAR(actual.y, y, kTolerance) << what;
}

TEST(RectModelMatrix, StretchesElementsByTheViewportShape)
{
    const struct
    {
        int width;
        int height;
        float kx;
        float ky;
    } cases[] = {
        {1920, 1200, 1.0f, 1.0f},
        {1920, 1080, 1.0f, 1920.0f / 1080.0f - 0.6f},
        {1280, 1024, 1.35f, 1.35f},
    };
    for (const auto& c : cases)
    {
        const std::string what = std::to_string(c.width) + "x" + std::to_string(c.height);
        // A 2 x 1 element of 100 pixels per unit centred on (300, -50).
        const Matrix4 model = RectModelMatrix({300.0f, 50.0f, 0.25f}, {2.0f, 1.0f}, 0.0f, 100, c.width, c.height);
        ExpectPoint(Corner(model, 0.0f, 0.0f), 300.0f - 100.0f * c.kx, -50.0f - 50.0f * c.ky, what);
        ExpectPoint(Corner(model, 1.0f, 1.0f), 300.0f + 100.0f * c.kx, -50.0f + 50.0f * c.ky, what);
        EXPECT_FLOAT_EQ(Corner(model, 0.5f, 0.5f).z, 0.25f) << what;
    }
}

TEST(RectModelMatrix, TurnsByDegreesAboutTheElementCentre)
{
    const Matrix4 model = RectModelMatrix({10.0f, 0.0f, 0.0f}, {1.0f, 1.0f}, 90.0f, 100, 1920, 1200);
    ExpectPoint(Corner(model, 0.5f, 0.5f), 10.0f, 0.0f, "centre");
    // The quad's (1, 0.5) corner midpoint lies 50 px right of the centre; a quarter turn takes it up.
    ExpectPoint(Corner(model, 1.0f, 0.5f), 10.0f, 50.0f, "quarter turn");
}

TEST(RectModelMatrix, ADegenerateViewportKeepsTheDesignShape)
{
    const Matrix4 model = RectModelMatrix({}, {1.0f, 1.0f}, 0.0f, 100, 640, 0);
    ExpectPoint(Corner(model, 1.0f, 1.0f), 50.0f, 50.0f, "no height");
}

TEST(CoversDesignCanvas, OnlyARectangleOverEveryCornerOfTheCanvasCovers)
{
    const struct
    {
        Vector3 position;
        Vector2 scale;
        float degrees;
        unsigned ppu;
        bool covers;
    } cases[] = {
        {{0.0f, 0.0f, 0.9f}, {19.2f, 12.0f}, 0.0f, 100, true},    // the levels' fade
        {{0.0f, 0.0f, 0.9f}, {-19.2f, 12.0f}, 180.0f, 100, true}, // mirrored and half turned
        {{0.0f, 540.0f, 0.8f}, {19.2f, 1.2f}, 0.0f, 100, false},  // a cut-scene band
        {{1.0f, 0.0f, 0.0f}, {19.2f, 12.0f}, 0.0f, 100, false},   // a pixel off leaves a column bare
        {{100.0f, -50.0f, 0.0f}, {22.0f, 14.0f}, 0.0f, 100, true},
        {{0.0f, 0.0f, 0.0f}, {19.2f, 12.0f}, 0.0f, 50, false},
        {{0.0f, 0.0f, 0.0f}, {30.0f, 30.0f}, 90.0f, 100, false}, // turned: not worth the geometry
    };
    for (const auto& c : cases)
        EXPECT_EQ(CoversDesignCanvas(c.position, c.scale, c.degrees, c.ppu), c.covers)
            << c.position.x << ", " << c.position.y << " scale " << c.scale.x << " x " << c.scale.y << " at "
            << c.degrees << " degrees, " << c.ppu << " per unit";
}

TEST(RectTransform, RotationMatrixFollowsSetRotationOnly)
{
    RectTransform rect;
    rect.SetRotation(90.0f);
    const Matrix3& turn = rect.GetRotationMatrix();
    EXPECT_NEAR(turn(0, 1), -1.0f, 1e-6f);
    EXPECT_NEAR(turn(1, 0), 1.0f, 1e-6f);
    rect.SetRotationMatrix(Matrix3());
    EXPECT_EQ(rect.GetRotation(), 90.0f);
    EXPECT_EQ(rect.GetRotationMatrix(), Matrix3());
}

TEST(RectTransform, WithoutARendererTheModelMatrixUsesTheDesignShape)
{
    RectTransform rect;
    rect.SetScale({1.0f, 1.0f});
    const unsigned ppu = 100;
    ExpectPoint(Corner(rect.GetModelMatrix(ppu), 1.0f, 1.0f), 50.0f, 50.0f, "100 x 100 centred");
}
} // namespace
