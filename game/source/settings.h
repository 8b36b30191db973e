#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "script.h"

class GameObjectInterface;
class RectTransformInterface;
class FadeInFadeOut;

// Settings menu.
class Settings : public Script<Settings>
{
public:
    std::array<std::string, 6> buttonNames{"Gamma", "Volume", "BGM", "SFX", "VoiceOver", "Back"};
    float trackLeft = 75.0f;
    // Per row: gamma, master volume, music, effects, voice-over.
    std::array<float, 5> steps{0.25f, 0.1f, 0.1f, 0.1f, 0.1f};
    std::array<float, 5> maxima{4.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    std::array<std::int32_t, 5> stepCounts{16, 10, 10, 10, 10};
    std::array<float, 5> stepWidths{28.125f, 45.0f, 45.0f, 45.0f, 45.0f};
    Vector2 glowSize{8.0f, 0.7f};
    float glowOffsetX = -100.0f;
    float glowDepth = 0.25f;
    bool active = false;
    std::int32_t selected = 0;
    FadeInFadeOut* fade = nullptr;
    RectTransformInterface* glow = nullptr;
    std::vector<GameObjectInterface*> buttons;
    std::vector<RectTransformInterface*> scrollers;
};
