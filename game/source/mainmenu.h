#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "script.h"

class GameObjectInterface;
class RectTransformInterface;
class ConfirmPanel;
class FadeInFadeOut;

// Main menu.
class MainMenu : public Script<MainMenu>
{
public:
    std::array<std::string, 4> buttonNames{"Start Game", "Settings", "Credits", "Quit Game"};
    std::array<std::string, 4> normalMaterials{"UIStart", "UISettings", "UICredits", "UIQuit"};
    std::array<std::string, 4> selectedMaterials{"UIStart", "UISettings", "UICredits", "UIQuit"};
    float glowOffsetX = -50.0f;
    float glowZ = 0.25f;
    bool active = false;
    bool startChosen = false;
    std::int32_t selected = 0;
    ConfirmPanel* confirmPanel = nullptr;
    FadeInFadeOut* fade = nullptr;
    RectTransformInterface* glow = nullptr;
    std::vector<GameObjectInterface*> buttons;
    Vector2 glowScale;
    RectTransformInterface* logo = nullptr;
};
