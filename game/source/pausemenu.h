#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "menuinput.h"
#include "script.h"

class GameObjectInterface;
class ImageInterface;
class RectTransformInterface;
class ConfirmPanel;
class PlayerStats;

// Pause menu of a playable level: resume, the unlocked "How To Play" pages, quit to the menu, quit the game.
// Its object is tagged "RunWhenPaused", so it updates while the game is paused and only then.
class PauseMenu : public Script<PauseMenu>
{
public:
    void Start() override;
    // Takes the partners and the menu as it stands: open while its buttons are drawn, the selection beside the
    // glow, the first page of "How To Play".
    void Reload() override;
    void Update() override;

    void Open();
    void Close();
    void Move(bool next);
    void ShowPage();
    // The glow beside the selected button and this frame's confirm already used: what the quit panel does when
    // it closes over the menu.
    void TakeFocus();
    // Counts a frame of frameCount, which stops once it passes kToggleFrames; answers the count before it.
    std::int32_t CountOneFrame();

    // Opening and closing need more than this many frames between them.
    static constexpr std::int32_t kToggleFrames = 15;

    std::array<std::string, 4> buttonNames{"Resume Game", "How To Play", "Quit To Main Menu", "Quit Game"};
    std::array<std::string, 5> keyboardPages{"Tutorial1", "Tutorial2", "Tutorial3", "Tutorial5", "Tutorial6"};
    std::array<std::string, 5> controllerPages{"TutorialController1", "TutorialController2", "TutorialController3",
                                               "TutorialController5", "TutorialController6"};
    PlayerStats* playerStats = nullptr;
    bool open = false;
    std::int32_t selected = 0;
    RectTransformInterface* glow = nullptr;
    ImageInterface* background = nullptr;
    ImageInterface* leftImage = nullptr;
    ImageInterface* centerImage = nullptr;
    ImageInterface* rightImage = nullptr;
    ConfirmPanel* confirmPanel = nullptr;
    // The buttons found, in the order of buttonNames; missing ones are left out.
    std::vector<GameObjectInterface*> buttons;
    float glowOffsetX = 100.0f;
    float glowDepth = 0.25f;
    Vector2 glowSize{6.0f, 0.7f};
    std::int32_t page = 0;
    // Frames since the menu last opened or closed; PauseTrigger counts while it is closed.
    std::int32_t frameCount = 0;
    ConfirmGuard confirmGuard;

private:
    void FindParts();
    void Choose();
    void TurnPage(bool next);
    // The tutorial pages when "How To Play" is selected, and the glow beside the selected button.
    void ShowSelection();
    void ShowButtons(bool shown);
    void ShowTutorialImages(bool shown);
    void PlaceGlow();
    // The unlocked tutorial count, at most the number of pages.
    std::int32_t UnlockedPages() const;
};
