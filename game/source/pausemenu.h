#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "script.h"

class GameObjectInterface;
class ImageInterface;
class RectTransformInterface;
class ConfirmPanel;
class PlayerStats;

// Pause menu.
class PauseMenu : public Script<PauseMenu>
{
public:
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
    std::vector<GameObjectInterface*> buttons;
    float glowOffsetX = 100.0f;
    float glowDepth = 0.25f;
    Vector2 glowSize{6.0f, 0.7f};
    std::int32_t page = 0;
    // Frames since the menu last opened or closed; PauseTrigger counts while it is closed.
    std::int32_t frameCount = 0;
};
