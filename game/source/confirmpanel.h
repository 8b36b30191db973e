#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "script.h"

class GameObjectInterface;
class RectTransformInterface;

// Confirmation panel of the menus.
class ConfirmPanel : public Script<ConfirmPanel>
{
public:
    std::array<std::string, 4> panelNames{"ConfirmPanel", "ConfirmText", "Yes", "No"};
    Vector2 glowSize{1.5f, 0.5f};
    float glowOffsetX = 200.0f;
    float glowZ = 0.5f;
    bool visible = false;
    // False quits the game, true quits to the main menu.
    bool returnToMenu = false;
    bool yesSelected = false;
    std::int32_t frameCount = 0;
    std::vector<GameObjectInterface*> panelObjects;
    RectTransformInterface* glow = nullptr;
    Vector2 savedGlowScale;
};
