#include "c_animator.h"
#include "resourcemanager.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// Thirty frames over two seconds: "Walk" loops frames 0 to 15, "Die" plays 15 to 30 once, "Back" loops 0 to 15
// backwards.
class AnimatorTest : public testing::Test
{
protected:
    AnimatorTest()
    {
        auto controller = std::make_unique<AnimationController>();
        controller->name = "Mummy";
        controller->defaultState = "Walk";
        controller->animDuration = 2.0f;
        controller->totalFrames = 30.0f;
        controller->states["Walk"] = {"Walk", 0.0f, 15.0f, 1.0f, true};
        controller->states["Die"] = {"Die", 15.0f, 30.0f, 1.0f, false};
        controller->states["Back"] = {"Back", 0.0f, 15.0f, -1.0f, true};
        controller->Play("Walk");
        resources.animationControllers["Mummy"] = std::move(controller);
        animator.SetController("Mummy");
    }

    ResourceManager resources{"/nonexistent/"};
    Animator animator;
};

TEST(AnimationClock, MovesWithinTheStateAndStopsOrWrapsAtItsEnds)
{
    const struct
    {
        float current;
        float speed;
        bool loop;
        float expected;
        const char* what;
    } cases[] = {
        {0.25f, 1.0f, false, 0.35f, "forward"},
        {0.25f, 2.0f, false, 0.45f, "at double speed"},
        {1.0f, 1.0f, false, 1.0f, "stops at the end"},
        {1.2f, 1.0f, true, 0.5f, "past the end, loops to exactly the start"},
        {0.95f, 1.0f, true, 1.05f, "the last step may overshoot the end"},
        {0.75f, -1.0f, false, 0.65f, "backwards"},
        {0.5f, -1.0f, true, 1.0f, "backwards at the start, loops to the end"},
        {0.5f, -1.0f, false, 0.5f, "backwards stops at the start"},
        {0.5f, 0.0f, true, 0.5f, "speed 0 stands still"},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(AdvanceAnimationTime(c.current, 0.5f, 1.0f, c.speed, c.loop, 0.1f), c.expected, 1e-6f) << c.what;
}

TEST_F(AnimatorTest, PlaysStatesByFrameRange)
{
    animator.Play("Die");
    EXPECT_EQ(animator.GetCurrentState(), "Die");
    EXPECT_FLOAT_EQ(animator.GetStartTime(), 1.0f);
    EXPECT_FLOAT_EQ(animator.GetEndTime(), 2.0f);
    EXPECT_FLOAT_EQ(animator.GetCurrentTime(), 1.0f);
    EXPECT_EQ(animator.GetStartFrame(), 15.0f);
    EXPECT_EQ(animator.GetEndFrame(), 30.0f);
    animator.Restart();
    EXPECT_EQ(animator.GetCurrentState(), "Walk");
}

TEST_F(AnimatorTest, ANonLoopingStateEndsAndALoopingOneWraps)
{
    animator.Play("Die");
    for (int frame = 0; frame < 100; ++frame)
        animator.Advance(0.1f);
    EXPECT_GE(animator.GetCurrentFrame(), animator.GetEndFrame()) << "a script waiting for the end goes on";
    EXPECT_GE(animator.GetCurrentTime(), 2.0f);
    EXPECT_LT(animator.GetCurrentTime(), 2.1f);

    animator.Play("Walk");
    animator.Advance(1.25f);
    animator.Advance(0.1f);
    EXPECT_EQ(animator.GetCurrentTime(), 0.0f);
}

TEST_F(AnimatorTest, PausingHoldsTheClockAndStopsLooping)
{
    EXPECT_TRUE(animator.IsLooping());
    animator.Pause();
    EXPECT_FALSE(animator.IsLooping());
    animator.Advance(0.5f);
    EXPECT_EQ(animator.GetCurrentTime(), 0.0f);
    animator.Resume();
    EXPECT_TRUE(animator.IsLooping());
    animator.Advance(0.5f);
    EXPECT_EQ(animator.GetCurrentTime(), 0.5f);
}

TEST_F(AnimatorTest, SpeedsBelongToStates)
{
    animator.SetSpeed(2.0f);
    EXPECT_EQ(animator.GetStateSpeed("Walk"), 2.0f);
    animator.SetStateSpeed("Die", 0.5f);
    animator.Play("Die");
    EXPECT_EQ(animator.GetSpeed(), 0.5f);
    EXPECT_EQ(animator.GetStateSpeed("Nowhere"), 1.0f) << "an unknown state reads as a new one";
    EXPECT_FALSE(animator.GetController().states.contains("Nowhere"));
}

TEST_F(AnimatorTest, TheCurrentFrameIsRoundedToFourPlaces)
{
    animator.Advance(1.0f);
    EXPECT_EQ(animator.GetCurrentFrame(), 15.0f);
    animator.Play("Walk");
    animator.Advance(0.1f / 3.0f);
    const float frame = animator.GetCurrentFrame();
    EXPECT_NEAR(frame, 0.5f, 1e-4f);
    EXPECT_NEAR(std::round(frame * 10000.0f), frame * 10000.0f, 1e-2f);
}

TEST_F(AnimatorTest, AnimationWithoutLengthStandsAtTheEndOfItsState)
{
    resources.animationControllers["Still"] = std::make_unique<AnimationController>();
    resources.animationControllers["Still"]->name = "Still";
    resources.animationControllers["Still"]->states["Idle"] = {"Idle", 3.0f, 8.0f, 1.0f, false};
    animator.SetController("Still");
    animator.Play("Idle");
    animator.Advance(0.1f);
    EXPECT_EQ(animator.GetCurrentFrame(), 8.0f);
    EXPECT_EQ(animator.GetEndFrame(), 8.0f);
}

TEST_F(AnimatorTest, AnUnknownControllerNameChangesNothingAndIsNotCached)
{
    animator.SetController("Ghost");
    EXPECT_EQ(animator.GetControllerName(), "Mummy");
    EXPECT_FALSE(resources.animationControllers.contains("Ghost"));

    // Loading such a name keeps the controller under the new name.
    animator.Deserialize(*XmlText().Parsed("<Animator>\n\t<AnimControllerName>Ghost</AnimControllerName>\n"
                                           "</Animator>\n")->GetRoot());
    EXPECT_EQ(animator.GetControllerName(), "Ghost");
    EXPECT_EQ(animator.GetEndFrame(), 15.0f);
}

TEST_F(AnimatorTest, ClonesCarryTheClockButNotThePause)
{
    animator.Advance(0.5f);
    animator.Pause();
    animator.SetEnabled(false);
    const auto copy = animator.Clone();
    const auto& clone = static_cast<const Animator&>(*copy);
    EXPECT_FALSE(clone.IsPaused());
    EXPECT_FALSE(clone.IsEnabled());
    EXPECT_EQ(clone.GetCurrentTime(), 0.5f);
    EXPECT_TRUE(clone.HasController());
    EXPECT_FALSE(Animator().HasController());
}
} // namespace
