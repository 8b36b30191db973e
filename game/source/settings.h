#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "menuinput.h"
#include "script.h"

class GameObjectInterface;
class RectTransformInterface;
class FadeInFadeOut;

// Settings screen of the main menu: five sliders on the engine's gamma and volumes, and "Back".
class Settings : public Script<Settings>
{
public:
    void Start() override;
    // Takes the rows and scrollers, and the screen as it stands: open while its rows are drawn, the selection
    // beside the glow.
    void Reload() override;
    void Update() override;

    void Open();
    void Close();
    void Move(bool next);
    void Adjust(bool decrease);
    void Back();

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
    // One slot per row, null where the row is missing, so every row keeps its engine value.
    std::vector<GameObjectInterface*> buttons;
    std::vector<RectTransformInterface*> scrollers;
    // The scrollers' tracks, null where missing.
    std::vector<GameObjectInterface*> tracks;
    ConfirmGuard confirmGuard;

private:
    static constexpr std::int32_t kBackRow = 5;

    void ShowRows(bool shown);
    void PlaceGlow();
    void PlaceScroller(std::size_t row);
    // Null for a missing row, and for every row before Start.
    GameObjectInterface* Row(std::int32_t row) const;
    RectTransformInterface* Scroller(std::int32_t row) const;
};
