#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "menuinput.h"
#include "script.h"

class GameObjectInterface;
class RectTransformInterface;
class ConfirmPanel;
class FadeInFadeOut;

// Main menu: four buttons, a glow beside the selected one. Settings, credits and the quit panel hand control
// back through Show.
class MainMenu : public Script<MainMenu>
{
public:
    void Start() override;
    // Takes the partners and the screen as it stands: active while the buttons are drawn, the selection beside
    // the glow.
    void Reload() override;
    void Update() override;

    void Move(bool next);
    void Select();
    void Hide();
    void Show();
    // The selected button shown as selected with the glow beside it, and this frame's confirm already used:
    // what the quit panel does when it closes over the menu.
    void TakeFocus();

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
    // The buttons found, in the order of buttonNames; missing ones are left out.
    std::vector<GameObjectInterface*> buttons;
    Vector2 glowScale;
    RectTransformInterface* logo = nullptr;
    ConfirmGuard confirmGuard;

private:
    void FindButtons();
    void MarkSelected(bool marked);
    void PlaceGlow();
};
