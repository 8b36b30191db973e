#include "confirmpanel.h"

#include "audiointerface.h"
#include "coreinterface.h"
#include "gameservices.h"
#include "mainmenu.h"
#include "menuinput.h"
#include "objectfactoryinterface.h"
#include "pausemenu.h"
#include "playerstats.h"
#include "recttransforminterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

namespace
{
constexpr std::int32_t kIgnoredFrames = 5;
constexpr std::size_t kYes = 2;
constexpr std::size_t kNo = 3;
} // namespace

void ConfirmPanel::Start()
{
    FindParts();
    Hide();
}

void ConfirmPanel::Reload()
{
    FindParts();
    // The menus take the glow back in their own Reload, whichever comes first.
    if (!panelObjects.empty() && ImageShown(panelObjects.front()))
        Withdraw();
}

void ConfirmPanel::FindParts()
{
    const GameObjectInterface* glowObject = FindObjectNamed("Glow");
    glow = glowObject ? glowObject->GetRectTransform() : nullptr;
    ASSERT(glow, "PauseMenu. Glow cannot be found");
    panelObjects.clear();
    for (const std::string& name : panelNames)
    {
        panelObjects.push_back(FindObjectNamed(name));
        ASSERT(panelObjects.back(), "PauseMenu. Missing Confirmation stuff");
    }
    if (glow)
        savedGlowScale = glow->GetScale();
}

void ConfirmPanel::Show(bool toMenu)
{
    visible = true;
    PlayAtOrigin("sfx_PauseMenuPopUp", 0.1f);
    ShowObjects(true);
    returnToMenu = toMenu;
    yesSelected = true;
    PlaceGlow();
    if (!glow)
        return;
    savedGlowScale = glow->GetScale();
    glow->SetScale(glowSize);
}

void ConfirmPanel::Update()
{
    if (!visible || CountFrame(frameCount, kIgnoredFrames) < kIgnoredFrames)
        return;
    if (MenuPressed(MenuDirection::Left, true) || MenuPressed(MenuDirection::Right, false))
    {
        PlayAtOrigin("sfx_MenuButtonRollOver", 0.2f);
        yesSelected = !yesSelected;
        PlaceGlow();
    }
    if (IsConfirmPressed())
        Confirm();
}

void ConfirmPanel::Confirm()
{
    PlayAtOrigin("sfx_MenuButtonClick", 0.1f);
    if (!yesSelected)
        Hide();
    else if (!returnToMenu)
        gServices.core->SetRunning(false);
    else
        QuitToMenu();
}

void ConfirmPanel::QuitToMenu()
{
    gServices.core->SetPaused(false);
    // Without the stats the menu still loads.
    if (auto* stats = FindScript<PlayerStats>("Player"))
    {
        stats->SetUnlockedBlink(false);
        stats->SetUnlockedMelee(false);
        stats->SaveStats();
    }
    gServices.factory->LoadLevel("MainMenuLevel");
}

void ConfirmPanel::Hide()
{
    Withdraw();
    HandBack();
}

void ConfirmPanel::Withdraw()
{
    visible = false;
    ShowObjects(false);
    frameCount = 0;
    if (glow)
        glow->SetScale(savedGlowScale);
}

void ConfirmPanel::HandBack()
{
    if (auto* menu = FindScript<MainMenu>("MainMenuCanvas"))
        menu->TakeFocus();
    else if (auto* pause = FindScript<PauseMenu>("PauseMenuCanvas"))
        pause->TakeFocus();
}

void ConfirmPanel::ShowObjects(bool shown)
{
    for (const GameObjectInterface* object : panelObjects)
        ShowImage(object, shown);
}

void ConfirmPanel::PlaceGlow()
{
    const std::size_t choice = yesSelected ? kYes : kNo;
    const Vector3* button = choice < panelObjects.size() ? RectPosition(panelObjects[choice]) : nullptr;
    if (glow && button)
        glow->SetPosition(Vector3(button->x - glowOffsetX, button->y, glowZ));
}
