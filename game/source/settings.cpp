#include "settings.h"

#include <algorithm>

#include "audiointerface.h"
#include "coreinterface.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "mainmenu.h"
#include "pausemenu.h"
#include "recttransforminterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

namespace
{
constexpr float kMenuVolume = 0.4f;
constexpr std::size_t kSliderCount = 5;
constexpr const char* kScrollerNames[kSliderCount] = {"GammaScroller", "VolumeScroller", "BGMScroller",
                                                      "SFXScroller", "VoiceOverScroller"};
// The lines the scrollers run along: drawing only, so a level may leave them out.
constexpr const char* kTrackNames[kSliderCount] = {"GammaTrack", "VolumeTrack", "BGMTrack", "SFXTrack",
                                                   "VoiceOverTrack"};

// Row 0 is the display gamma, row 1 the master volume, rows 2 to 4 the music, effects and voice-over groups.
float EngineValue(std::size_t row)
{
    AudioInterface& audio = *gServices.audio;
    switch (row)
    {
    case 0: return gServices.core->GetGamma();
    case 1: return audio.GetMasterVolume();
    default: return audio.GetGroupVolume(static_cast<Sound::AUDIO_TYPE>(row - 2));
    }
}

void SetEngineValue(std::size_t row, float value)
{
    AudioInterface& audio = *gServices.audio;
    switch (row)
    {
    case 0: gServices.core->SetGamma(value); break;
    case 1: audio.SetMasterVolume(value); break;
    default: audio.SetGroupVolume(value, static_cast<Sound::AUDIO_TYPE>(row - 2)); break;
    }
}

const GameObjectInterface* OwnerOf(const RectTransformInterface* rect)
{
    return rect ? rect->GetGameObject() : nullptr;
}
} // namespace

void Settings::Start()
{
    Reload();
    selected = 0;
    for (std::size_t row = 0; row < scrollers.size(); ++row)
        PlaceScroller(row);
    Close();
}

void Settings::Reload()
{
    const GameObjectInterface* glowObject = FindObjectNamed("Glow");
    glow = glowObject ? glowObject->GetRectTransform() : nullptr;
    ASSERT(glow, "Settings. Glow cannot be found");
    fade = FindFade();
    buttons.clear();
    for (const std::string& name : buttonNames)
    {
        buttons.push_back(FindObjectNamed(name));
        ASSERT(buttons.back(), "Settings. Missing buttons");
    }
    scrollers.clear();
    for (const char* name : kScrollerNames)
    {
        const GameObjectInterface* scroller = FindObjectNamed(name);
        scrollers.push_back(scroller ? scroller->GetRectTransform() : nullptr);
        ASSERT(scrollers.back(), "Settings. Missing scrollers");
    }
    tracks.clear();
    for (const char* name : kTrackNames)
        tracks.push_back(FindObjectNamed(name));
    active = std::ranges::any_of(buttons, ImageShown);
    if (const std::int32_t beside = IndexBeside(buttons, glow, -glowOffsetX); beside >= 0)
        selected = beside;
}

void Settings::Open()
{
    ShowRows(true);
    active = true;
    PlaceGlow();
    if (glow)
        glow->SetScale(glowSize);
    confirmGuard.Block();
}

void Settings::Close()
{
    ShowRows(false);
    active = false;
    selected = 0;
}

void Settings::ShowRows(bool shown)
{
    for (const GameObjectInterface* button : buttons)
        ShowImage(button, shown);
    // The scrollers and their tracks would otherwise stand over the main menu and the credits.
    for (const RectTransformInterface* scroller : scrollers)
        ShowImage(OwnerOf(scroller), shown);
    for (const GameObjectInterface* track : tracks)
        ShowImage(track, shown);
}

void Settings::Update()
{
    const bool confirmCounts = confirmGuard.Pass();
    if (!active)
        return;
    if (MenuPressed(MenuDirection::Down, true))
        Move(true);
    else if (MenuPressed(MenuDirection::Up, false))
        Move(false);
    else if (MenuPressed(MenuDirection::Left, false))
        Adjust(true);
    else if (MenuPressed(MenuDirection::Right, false))
        Adjust(false);
    if (confirmCounts && IsConfirmPressed())
        Back();
}

void Settings::Move(bool next)
{
    PlayAtOrigin("sfx_MenuButtonRollOver", kMenuVolume);
    const auto rows = static_cast<std::int32_t>(buttonNames.size());
    // Missing rows are stepped over; with none at all the selection stays.
    for (std::int32_t tries = 0; tries < rows; ++tries)
    {
        selected = Wrapped(selected, next, rows);
        if (Row(selected))
            break;
    }
    PlaceGlow();
}

void Settings::Adjust(bool decrease)
{
    PlayAtOrigin("sfx_MenuButtonRollOver", kMenuVolume);
    if (selected >= kBackRow || !Row(selected) || !Scroller(selected))
        return;
    const auto row = static_cast<std::size_t>(selected);
    const float step = decrease ? -steps[row] : steps[row];
    SetEngineValue(row, std::clamp(EngineValue(row) + step, 0.0f, maxima[row]));
    PlaceScroller(row);
}

void Settings::Back()
{
    PlayAtOrigin("sfx_MenuButtonClick", kMenuVolume);
    // Confirm on a slider row only clicks.
    if (selected != kBackRow)
        return;
    Close();
    if (auto* menu = FindScript<MainMenu>("MainMenuCanvas"))
        menu->Show();
    else if (auto* pause = FindScript<PauseMenu>("PauseMenuCanvas"))
        pause->Open();
}

void Settings::PlaceGlow()
{
    const Vector3* position = RectPosition(Row(selected));
    if (glow && position)
        glow->SetPosition(*position - Vector3(glowOffsetX, 0.0f, glowDepth));
}

void Settings::PlaceScroller(std::size_t row)
{
    RectTransformInterface* scroller = Scroller(static_cast<std::int32_t>(row));
    if (!scroller)
        return;
    // Scaled from the engine's value as it reads back, which may differ from what was set.
    const float value = EngineValue(row);
    Vector3 position = scroller->GetPosition();
    position.x = value / maxima[row] * static_cast<float>(stepCounts[row]) * stepWidths[row] + trackLeft;
    scroller->SetPosition(position);
}

GameObjectInterface* Settings::Row(std::int32_t row) const
{
    return row >= 0 && row < static_cast<std::int32_t>(buttons.size()) ? buttons[static_cast<std::size_t>(row)]
                                                                      : nullptr;
}

RectTransformInterface* Settings::Scroller(std::int32_t row) const
{
    return row >= 0 && row < static_cast<std::int32_t>(scrollers.size()) ? scrollers[static_cast<std::size_t>(row)]
                                                                        : nullptr;
}
