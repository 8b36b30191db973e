// UI levels whose depths the ordering cannot step past, run through the engine's frame with the fixture
// scripts: each frame ends, and every element is drawn.
#include "gameobject.h"
#include "recttransforminterface.h"
#include "scriptworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
class UILevel : public ScriptedEngine
{
protected:
    // Loads the fixture level, runs the frames and gives what went to the error stream meanwhile.
    std::string RunLevel(const std::string& level, int frames)
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        factory.LoadLevelFile(std::string(NEKTARU_TEST_DATA) + "/objectfactory/Assets/XML/" + level + ".xml", true);
        Frames(frames);
        testing::internal::GetCapturedStdout();
        return testing::internal::GetCapturedStderr();
    }
    std::vector<std::string> DrawnUI() const
    {
        std::vector<std::string> names;
        for (const auto& [depth, element] : core.GetGraphics()->UIOrder())
            names.push_back(element->GetName());
        return names;
    }
};
} // namespace

TEST_F(UILevel, ElementsAtTheLargestFloatDepthAreDrawnInTheirListOrder)
{
    EXPECT_EQ(RunLevel("FarUI", 2), "");
    EXPECT_THAT(DrawnUI(), ElementsAre("Far 1", "Far 2", "Far 3"));
}

TEST_F(UILevel, ADepthAScriptSetsToNaNIsReportedOnceAndDrawnAtZero)
{
    const std::string errors = RunLevel("SinkingUI", 4);
    const GameObject* sinking = factory.FindObject("Sinking");
    ASSERT_NE(sinking, nullptr);
    EXPECT_TRUE(std::isnan(sinking->GetRectTransform()->GetPosition().z));
    EXPECT_THAT(DrawnUI(), ElementsAre("Back", "Sinking", "Front"));
    const std::string report = "UI element Sinking has a depth that is not a finite number";
    EXPECT_THAT(errors, HasSubstr(report));
    EXPECT_THAT(errors.substr(errors.find(report) + 1), Not(HasSubstr(report)));
}
