#include "animationcontroller.h"
#include "xmltext.h"

#include <gtest/gtest.h>

namespace
{
AnimationController ReadController(const std::string& text)
{
    const auto reader = XmlText().Parsed(text);
    AnimationController controller;
    controller.Deserialize(reader->GetRoot()->children);
    return controller;
}

std::string StateElement(const std::string& name, const std::string& start, const std::string& end,
                         const std::string& extra = "")
{
    return "\t<AnimationState>\n\t\t<StateName>" + name + "</StateName>\n\t\t<StartFrame>" + start +
           "</StartFrame>\n\t\t<EndFrame>" + end + "</EndFrame>\n" + extra + "\t</AnimationState>\n";
}
}

TEST(AnimationController, FileFillsStatesAndPlaysTheDefaultStateAfterReadingAll)
{
    // The default state is named before its element: it is played only once everything is read.
    const AnimationController controller = ReadController(
        "<Controller>\n\t<AnimationControllerName>Mummy</AnimationControllerName>\n"
        "\t<DefaultAnimState>Walk</DefaultAnimState>\n\t<AnimDuration>1.5</AnimDuration>\n"
        "\t<TotalFrames>30</TotalFrames>\n" +
        StateElement("Idle", "0", "9", "\t\t<Speed>0.5</Speed>\n\t\t<Loop>true</Loop>\n") +
        StateElement("Walk", "10", "20") + StateElement("Walk", "1", "2") + "</Controller>\n");

    EXPECT_EQ(controller.name, "Mummy");
    EXPECT_EQ(controller.defaultState, "Walk");
    EXPECT_EQ(controller.currentState, "Walk");
    ASSERT_EQ(controller.states.size(), 2u);
    const AnimationState& idle = controller.states.at("Idle");
    EXPECT_FLOAT_EQ(idle.speed, 0.5f);
    EXPECT_TRUE(idle.loop);
    // The first state of a name wins; a state without speed or loop plays once at normal speed.
    const AnimationState& walk = controller.states.at("Walk");
    EXPECT_FLOAT_EQ(walk.startFrame, 10.0f);
    EXPECT_FLOAT_EQ(walk.speed, 1.0f);
    EXPECT_FALSE(walk.loop);
    EXPECT_FLOAT_EQ(controller.startTime, 0.5f);
    EXPECT_FLOAT_EQ(controller.endTime, 1.0f);
    EXPECT_FLOAT_EQ(controller.currentTime, 0.5f);
}

TEST(AnimationController, UnknownStatesAndBadValuesGiveSafeDefaults)
{
    // No TotalFrames (taken as 1), a default state with no element, a bad Loop value.
    testing::internal::CaptureStderr();
    AnimationController controller =
        ReadController("<Controller>\n\t<DefaultAnimState>Fly</DefaultAnimState>\n\t<AnimDuration>2</AnimDuration>\n" +
                       StateElement("Run", "0.5", "1", "\t\t<Loop>maybe</Loop>\n") + "</Controller>\n");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("TotalFrames"), std::string::npos) << errors;

    EXPECT_FLOAT_EQ(controller.totalFrames, 1.0f);
    ASSERT_TRUE(controller.states.contains("Fly"));
    EXPECT_FLOAT_EQ(controller.states.at("Fly").speed, 1.0f);
    EXPECT_EQ(controller.startTime, 0.0f);
    EXPECT_EQ(controller.endTime, 0.0f);
    EXPECT_FALSE(controller.states.at("Run").loop);

    controller.Play("Run");
    EXPECT_FLOAT_EQ(controller.startTime, 1.0f);
    EXPECT_FLOAT_EQ(controller.endTime, 2.0f);
}

TEST(AnimationController, AnEmptyControllerPlaysWithFiniteTimes)
{
    AnimationController controller;
    controller.Play("Anything");
    EXPECT_EQ(controller.currentState, "Anything");
    EXPECT_EQ(controller.startTime, 0.0f);
    EXPECT_EQ(controller.endTime, 0.0f);
}

TEST(AnimationController, AssignmentTakesTheOtherControllersStatesOnly)
{
    AnimationController first = ReadController("<C>\n\t<TotalFrames>10</TotalFrames>\n" +
                                                StateElement("Idle", "0", "5") + StateElement("Jump", "5", "9") +
                                                "</C>\n");
    const AnimationController second =
        ReadController("<C>\n\t<TotalFrames>10</TotalFrames>\n" + StateElement("Idle", "2", "3") + "</C>\n");
    first = second;
    EXPECT_FALSE(first.states.contains("Jump"));
    EXPECT_FLOAT_EQ(first.states.at("Idle").startFrame, 2.0f);
}
