#include "scripthelpers.h"

#include "gameservices.h"
#include "inputsystem.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
TEST(SinDegrees, ReadsTheTableInEveryQuadrant)
{
    struct Case
    {
        int degrees;
        float sine;
    };
    const Case cases[] = {
        {0, 0.0f},       {30, 0.5f},       {90, 1.0f},   {450, 1.0f},  {-90, -1.0f},      {120, 0.866025f},
        {210, -0.5f},    {300, -0.866025f}, {-30, -0.5f}, {1, 0.017452f}, {359, -0.017452f}, {-720, 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SinDegrees(c.degrees), c.sine) << c.degrees;
    // The zero entry with its sign flipped.
    EXPECT_EQ(SinDegrees(180), 0.0f);
    EXPECT_TRUE(std::signbit(SinDegrees(180)));
}

class ConfirmInput : public ::testing::Test
{
protected:
    ConfirmInput() { gServices.input = &input; }
    ~ConfirmInput() override { gServices.input = nullptr; }

    // One frame as Core runs it, the scripts' work between the input update and the frame end.
    bool ConfirmedInFrame()
    {
        input.Update();
        const bool confirmed = IsConfirmPressed();
        input.EndFrame();
        return confirmed;
    }

    InputSystem input{nullptr, [] { return 1.0f / 60.0f; }};
};

TEST_F(ConfirmInput, HoldingAKeyConfirmsInItsFirstFrameOnly)
{
    for (const std::uint16_t key : {13, 32, 1})
    {
        input.SetKey(key, true);
        EXPECT_TRUE(ConfirmedInFrame()) << key;
        EXPECT_FALSE(ConfirmedInFrame()) << key;
        EXPECT_FALSE(ConfirmedInFrame()) << key;
        input.SetKey(key, false);
        EXPECT_FALSE(ConfirmedInFrame()) << key;
    }
    input.SetKey('E', true);
    EXPECT_FALSE(ConfirmedInFrame());
}

TEST(IsConfirmPressed, IsFalseBeforeTheInputIsPassed)
{
    ASSERT_EQ(gServices.input, nullptr);
    EXPECT_FALSE(IsConfirmPressed());
}

TEST(Random, StaysWithinTheFifteenBitRangeAndRepeatsFromASeed)
{
    SeedRandom(7);
    int first[8];
    int lowest = kRandomMax;
    int highest = 0;
    for (int& value : first)
        value = Random();
    for (int n = 0; n < 100000; ++n)
    {
        const int value = Random();
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, kRandomMax);
    SeedRandom(7);
    for (const int value : first)
        EXPECT_EQ(Random(), value);
}
} // namespace
