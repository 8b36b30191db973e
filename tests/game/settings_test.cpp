#include "menuworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using namespace menuworld;

namespace
{
class SettingsTest : public ::testing::Test
{
protected:
    // The settings open, the given row selected.
    void OpenAt(int row)
    {
        world.Step();
        world.Press(kDown);
        world.Press(kEnter);
        for (int step = 0; step < row; ++step)
            world.Press(kDown);
        world.audio.played.clear();
    }
    float ScrollerX(const std::string& name) { return RectOf(world, name).position.x; }

    FakeWorld world;
    MainMenuLevel level{world};
};

TEST_F(SettingsTest, ScrollersStartAtTheEnginesValues)
{
    world.core.gamma = 1.25f;
    world.audio.masterVolume = 0.5f;
    world.audio.groupVolumes = {0.0f, 0.3f, 1.0f};
    world.Step();
    EXPECT_FLOAT_EQ(ScrollerX("GammaScroller"), 215.625f);
    EXPECT_FLOAT_EQ(ScrollerX("VolumeScroller"), 300.0f);
    EXPECT_FLOAT_EQ(ScrollerX("BGMScroller"), 75.0f);
    EXPECT_FLOAT_EQ(ScrollerX("SFXScroller"), 210.0f);
    EXPECT_FLOAT_EQ(ScrollerX("VoiceOverScroller"), 525.0f);
    EXPECT_EQ(RectOf(world, "GammaScroller").position.y, 150.0f);
    EXPECT_FALSE(ImageOf(world, "GammaScroller").enabled);
    EXPECT_FALSE(ImageOf(world, "Gamma").enabled);
}

// The scrollers' tracks are bare lines: they come and go with the screen, never over the menu or the credits.
TEST_F(SettingsTest, TracksAndScrollersShowOnlyWithTheScreen)
{
    const auto shown = [this](bool expected) {
        for (const char* name : {"GammaTrack", "VoiceOverTrack", "GammaScroller", "VoiceOverScroller"})
            EXPECT_EQ(ImageOf(world, name).enabled, expected) << name;
    };
    world.Step();
    shown(false);
    OpenAt(5);
    shown(true);
    world.Press(kEnter);
    EXPECT_TRUE(level.menu->active);
    shown(false);
}

struct AdjustCase
{
    int row;
    const char* scroller;
    float start;
    std::uint16_t key;
    float expected;
};

class SettingsAdjustTest : public SettingsTest, public ::testing::WithParamInterface<AdjustCase>
{
protected:
    float EngineValue(int row)
    {
        if (row == 0)
            return world.core.gamma;
        return row == 1 ? world.audio.masterVolume : world.audio.groupVolumes.at(static_cast<std::size_t>(row - 2));
    }
};

TEST_P(SettingsAdjustTest, LeftAndRightStepTheEngineValueWithinItsRangeAndPlaceTheScroller)
{
    const AdjustCase& adjust = GetParam();
    world.core.gamma = adjust.row == 0 ? adjust.start : 1.25f;
    world.audio.masterVolume = adjust.row == 1 ? adjust.start : 1.0f;
    if (adjust.row >= 2)
        world.audio.groupVolumes.at(static_cast<std::size_t>(adjust.row - 2)) = adjust.start;
    OpenAt(adjust.row);
    world.Press(adjust.key);
    EXPECT_NEAR(EngineValue(adjust.row), adjust.expected, 1e-6);
    // Every track runs 450 from x = 75.
    const float maximum = adjust.row == 0 ? 4.0f : 1.0f;
    EXPECT_NEAR(ScrollerX(adjust.scroller), adjust.expected / maximum * 450.0f + 75.0f, 1e-3);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_MenuButtonRollOver"));
    EXPECT_FLOAT_EQ(world.audio.played[0].volume, 0.4f);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsAdjustTest,
                         ::testing::Values(AdjustCase{0, "GammaScroller", 1.25f, kRight, 1.5f},
                                           AdjustCase{0, "GammaScroller", 0.25f, kLeft, 0.0f},
                                           AdjustCase{0, "GammaScroller", 3.9f, kRight, 4.0f},
                                           AdjustCase{1, "VolumeScroller", 1.0f, kRight, 1.0f},
                                           AdjustCase{2, "BGMScroller", 0.5f, kLeft, 0.4f},
                                           AdjustCase{3, "SFXScroller", 0.05f, kLeft, 0.0f},
                                           AdjustCase{4, "VoiceOverScroller", 0.95f, kRight, 1.0f}),
                         [](const ::testing::TestParamInfo<AdjustCase>& info) {
                             return std::string(info.param.scroller) + (info.param.key == kLeft ? "Left" : "Right") +
                                    std::to_string(info.index);
                         });

TEST_F(SettingsTest, SelectionWrapsAndLeftOrRightOnBackOnlySounds)
{
    OpenAt(0);
    world.Press(kUp);
    EXPECT_EQ(level.settings->selected, 5);
    EXPECT_EQ(level.Glow().position, Vector3(-100, -50, -0.05f));
    world.Press(kLeft);
    world.Press(kRight);
    EXPECT_FLOAT_EQ(world.core.gamma, 1.25f);
    EXPECT_FLOAT_EQ(world.audio.masterVolume, 1.0f);
    world.Press(kDown);
    EXPECT_EQ(level.settings->selected, 0);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_MenuButtonRollOver", "sfx_MenuButtonRollOver",
                                                       "sfx_MenuButtonRollOver", "sfx_MenuButtonRollOver"));
}

TEST_F(SettingsTest, ConfirmOnASliderOnlyClicks)
{
    OpenAt(2);
    world.Press(kEnter);
    EXPECT_TRUE(level.settings->active);
    EXPECT_FALSE(level.menu->active);
    EXPECT_THAT(world.audio.PlayedNames(), ElementsAre("sfx_MenuButtonClick"));
}

TEST(SettingsRows, AMissingRowKeepsItsSlotSoLaterRowsStayOnTheirValues)
{
    FakeWorld world;
    world.Object("MainMenuCanvas");
    for (const char* name : {"Glow", "Gamma", "BGM", "SFX", "VoiceOver", "Back", "GammaScroller", "VolumeScroller",
                             "BGMScroller", "SFXScroller", "VoiceOverScroller"})
        UiObject(world, name);
    auto& settings = world.Attach<Settings>(world.Object("SettingsCanvas"));
    const std::string reports = ReportsOf([&] { world.Step(); });
    EXPECT_EQ(CountOf(reports, "Settings. Missing buttons"), 1);
    settings.Open();
    world.Press(kDown);
    EXPECT_EQ(settings.selected, 2);
    world.Press(kLeft);
    EXPECT_FLOAT_EQ(world.audio.groupVolumes[0], 0.9f);
    EXPECT_FLOAT_EQ(world.audio.masterVolume, 1.0f);
    world.Press(kUp);
    EXPECT_EQ(settings.selected, 0);
}
} // namespace
