#pragma once
// The menu levels' UI in a fake world (fakeworld.h): images with rect transforms at known places, and the
// scripts on their canvases in an order the test chooses, since the same-frame hand-overs depend on it.
#include "fakeworld.h"

#include <string>

namespace menuworld
{
inline constexpr std::uint16_t kEnter = 13;
inline constexpr std::uint16_t kEscape = 27;
inline constexpr std::uint16_t kLeft = 37;
inline constexpr std::uint16_t kUp = 38;
inline constexpr std::uint16_t kRight = 39;
inline constexpr std::uint16_t kDown = 40;

// A UI element: an image and a rect transform at the position.
inline FakeObject& UiObject(FakeWorld& world, const std::string& name, const Vector3& position = {})
{
    FakeObject& object = world.Object(name);
    object.Add<FakeImage>();
    object.Add<FakeRectTransform>().position = position;
    return object;
}

inline FakeImage& ImageOf(FakeWorld& world, const std::string& name)
{
    return world.factory.FindObject(name)->Get<FakeImage>();
}

inline FakeRectTransform& RectOf(FakeWorld& world, const std::string& name)
{
    return world.factory.FindObject(name)->Get<FakeRectTransform>();
}

// The script a level object carries now: after a reload, not the one attached at the start.
template <class Script>
const Script& CurrentScript(FakeWorld& world, const std::string& object)
{
    return dynamic_cast<const Script&>(*world.factory.FindObject(object)->FindScript(kScriptName<Script>));
}

// The main menu level: its four buttons, glow, logo, the quit panel, the settings rows and scrollers and the
// credits images; "MainMenuCanvas" first unless the menu is to update after the screens it hands over to.
struct MainMenuLevel
{
    explicit MainMenuLevel(FakeWorld& fakeWorld, bool menuUpdatesLast = false) : world(fakeWorld)
    {
        UiObject(world, "Glow", {0, 0, 0.25f}).Get<FakeRectTransform>().scale = {2.0f, 0.5f};
        UiObject(world, "MainLogo", {0, 300, 0.1f});
        const char* buttons[] = {"Start Game", "Settings", "Credits", "Quit Game"};
        for (int index = 0; index < 4; ++index)
            UiObject(world, buttons[index], {100, 100.0f - 50.0f * static_cast<float>(index), 0.1f});
        const char* rows[] = {"Gamma", "Volume", "BGM", "SFX", "VoiceOver", "Back"};
        for (int index = 0; index < 6; ++index)
            UiObject(world, rows[index], {-200, 150.0f - 40.0f * static_cast<float>(index), 0.2f});
        const char* scrollers[] = {"GammaScroller", "VolumeScroller", "BGMScroller", "SFXScroller",
                                   "VoiceOverScroller"};
        for (int index = 0; index < 5; ++index)
        {
            const float y = 150.0f - 40.0f * static_cast<float>(index);
            UiObject(world, scrollers[index], {0, y, 0.3f});
            UiObject(world, std::string(rows[index]) + "Track", {100, y, 0.2f});
        }
        UiObject(world, "ConfirmText", {0, 0, 0.4f});
        UiObject(world, "Yes", {-100, -50, 0.4f});
        UiObject(world, "No", {100, -50, 0.4f});
        UiObject(world, "CreditsImage");
        UiObject(world, "CreditsBackground");
        if (!menuUpdatesLast)
            AddMenu();
        panel = &world.Attach<ConfirmPanel>(UiObject(world, "ConfirmPanel", {0, 0, 0.35f}));
        settings = &world.Attach<Settings>(world.Object("SettingsCanvas"));
        credits = &world.Attach<Credits>(world.Object("CreditsCanvas"));
        if (menuUpdatesLast)
            AddMenu();
    }

    void AddMenu() { menu = &world.Attach<MainMenu>(world.Object("MainMenuCanvas")); }
    FakeRectTransform& Glow() const { return RectOf(world, "Glow"); }

    FakeWorld& world;
    MainMenu* menu = nullptr;
    ConfirmPanel* panel = nullptr;
    Settings* settings = nullptr;
    Credits* credits = nullptr;
};

// A playable level's pause menu and quit panel (tagged "RunWhenPaused", the menu first unless asked
// otherwise), the player with its stats and the trigger that opens the menu.
struct PauseLevel
{
    explicit PauseLevel(FakeWorld& fakeWorld, bool menuUpdatesLast = false) : world(fakeWorld)
    {
        FakeObject& glow = UiObject(world, "Glow", {0, 0, 0.5f});
        glow.Get<FakeRectTransform>().scale = {3.0f, 0.5f};
        // As in the level files: the glow's image is off until the menu shows it.
        glow.Get<FakeImage>().enabled = false;
        UiObject(world, "Background");
        for (const char* name : {"TutorialImageLeft", "TutorialImage", "TutorialImageRight"})
            UiObject(world, name);
        const char* buttons[] = {"Resume Game", "How To Play", "Quit To Main Menu", "Quit Game"};
        for (int index = 0; index < 4; ++index)
            UiObject(world, buttons[index], {0, 100.0f - 50.0f * static_cast<float>(index), 0.3f});
        UiObject(world, "ConfirmText");
        UiObject(world, "Yes", {-100, -50, 0.4f});
        UiObject(world, "No", {100, -50, 0.4f});
        stats = &world.Attach<PlayerStats>(world.Object("Player", "Player"));
        if (!menuUpdatesLast)
            AddMenu();
        FakeObject& panelObject = UiObject(world, "ConfirmPanel", {0, 0, 0.35f});
        panelObject.tag = kRunWhenPausedTag;
        panel = &world.Attach<ConfirmPanel>(panelObject);
        if (menuUpdatesLast)
            AddMenu();
        trigger = &world.Attach<PauseTrigger>(world.Object("PauseTrigger"));
    }

    void AddMenu() { menu = &world.Attach<PauseMenu>(world.Object("PauseMenuCanvas", kRunWhenPausedTag)); }
    FakeRectTransform& Glow() const { return RectOf(world, "Glow"); }

    FakeWorld& world;
    PlayerStats* stats = nullptr;
    PauseMenu* menu = nullptr;
    ConfirmPanel* panel = nullptr;
    PauseTrigger* trigger = nullptr;
};
} // namespace menuworld
