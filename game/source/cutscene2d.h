#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "script.h"

class AudioSourceInterface;
class ImageInterface;
class RectTransformInterface;
class FadeInFadeOut;

// Cutscene of 2D panels.
class Cutscene2D : public Script<Cutscene2D>
{
    SCRIPT_WITH_PROPERTIES(Cutscene2D)

    // Takes its partners, and the panel the strip stands at (or slides to, once past half-way).
    void Reload() override;
    void Start() override;
    void Update() override;

    int cutscene = 0;
    std::string nextLevel;

    // Per cutscene, per panel: the strip's x, the voice line and the subtitle material (empty: none). The strip's
    // panels are 2,000 units apart, wider than the screen, so that a panel at rest shows none of its neighbours.
    std::array<std::vector<float>, 4> positions{{
        {6000.0f, 4000.0f, 2000.0f, 0.0f, -2000.0f, -4000.0f, -6000.0f},
        {6000.0f, 4000.0f, 2000.0f, 0.0f, -2000.0f},
        {6000.0f, 4000.0f, 2000.0f, 0.0f, -2000.0f},
        {6000.0f, 4000.0f, 2000.0f, 0.0f},
    }};
    std::array<std::vector<std::string>, 4> voiceClips{{
        {"CutScene_1_Panel_1", "CutScene_1_Panel_2", "CutScene_1_Panel_3", "CutScene_1_Panel_4",
         "CutScene_1_Panel_5", "CutScene_1_Panel_6", ""},
        {"CutScene_2_Panel_1", "CutScene_2_Panel_2", "CutScene_2_Panel_3", "CutScene_2_Panel_4",
         "CutScene_2_Panel_5"},
        {"CutScene_3_Panel_1", "CutScene_3_Panel_2", "CutScene_3_Panel_3", "CutScene_3_Panel_4",
         "CutScene_3_Panel_5"},
        {"CutScene_4_Panel_1", "CutScene_4_Panel_2", "CutScene_4_Panel_3", "CutScene_4_Panel_4"},
    }};
    std::array<std::vector<std::string>, 4> subtitles{{
        {"Subtitle2D_Cutscene0_1", "Subtitle2D_Cutscene0_2", "Subtitle2D_Cutscene0_3", "Subtitle2D_Cutscene0_4",
         "Subtitle2D_Cutscene0_5", "Subtitle2D_Cutscene0_6", ""},
        {"Subtitle2D_Cutscene1_1", "Subtitle2D_Cutscene1_2", "Subtitle2D_Cutscene1_3", "Subtitle2D_Cutscene1_4",
         "Subtitle2D_Cutscene1_5"},
        {"Subtitle2D_Cutscene2_1", "Subtitle2D_Cutscene2_2", "Subtitle2D_Cutscene2_3", "Subtitle2D_Cutscene2_4",
         "Subtitle2D_Cutscene2_5"},
        {"Subtitle2D_Cutscene3_1", "Subtitle2D_Cutscene3_2", "Subtitle2D_Cutscene3_3", "Subtitle2D_Cutscene3_4"},
    }};
    RectTransformInterface* strip = nullptr;
    ImageInterface* subtitleImage = nullptr;
    ImageInterface* background = nullptr;
    AudioSourceInterface* voice = nullptr;
    FadeInFadeOut* fade = nullptr;
    std::int32_t panelCount = 0;
    std::int32_t panel = 0;
    bool moving = false;
    bool finished = false;
    float endTimer = 0.0f;

private:
    // Plays the panel's voice line and shows or hides its subtitle; advancing stops the line before.
    void ShowPanel(std::int32_t index, bool advancing);
    void Confirm();
    void Slide();
    std::int32_t PanelNearest(float x) const;
};
