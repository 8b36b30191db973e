#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "script.h"

class GameObjectInterface;
class RectTransformInterface;

// The Yes/No panel of the menus' two quit actions. Its object is tagged "RunWhenPaused" in playable levels.
class ConfirmPanel : public Script<ConfirmPanel>
{
public:
    void Start() override;
    // Takes the glow and the panel's objects. A question up at a reload is closed unanswered: which quit it
    // asked about cannot be read back, and a guess could end the game or the level.
    void Reload() override;
    void Update() override;

    void Show(bool toMenu);
    void Hide();
    // Hides the panel without handing the glow back: the menu underneath is closing with it.
    void Withdraw();
    void Confirm();

    std::array<std::string, 4> panelNames{"ConfirmPanel", "ConfirmText", "Yes", "No"};
    Vector2 glowSize{1.5f, 0.5f};
    float glowOffsetX = 200.0f;
    float glowZ = 0.5f;
    bool visible = false;
    // False quits the game, true quits to the main menu.
    bool returnToMenu = false;
    bool yesSelected = false;
    // Frames since the panel was shown; the first five ignore input.
    std::int32_t frameCount = 0;
    // One slot per name of panelNames, null where the object is missing.
    std::vector<GameObjectInterface*> panelObjects;
    RectTransformInterface* glow = nullptr;
    Vector2 savedGlowScale;

private:
    void FindParts();
    void ShowObjects(bool shown);
    void PlaceGlow();
    void QuitToMenu();
    // The glow back beside the selected button of the menu underneath.
    void HandBack();
};
