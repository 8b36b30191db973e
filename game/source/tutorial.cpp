#include "tutorial.h"

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "inputinterface.h"
#include "playerpref.h"
#include "scenesteps.h"
#include "scriptlookup.h"

namespace
{
bool IsPlayer(const GameObjectInterface* other)
{
    return other->GetName() == "Player";
}
} // namespace

void Tutorial::Start()
{
    counted = false;
    const std::string suffix = Suffix();
    if (!suffix.empty())
        SetImageAlpha(FindImage("Tutorial" + suffix), 0.0f);
}

void Tutorial::OnTriggerEnter(GameObjectInterface* other)
{
    const std::string suffix = Suffix();
    if (suffix.empty() || !IsPlayer(other))
        return;
    const char* kind = gServices.input->IsGamepadConnected() ? "TutorialController" : "Tutorial";
    ShowImage(FindImage("Tutorial" + suffix), kind + suffix);
    if (counted)
        return;
    PlayerPref::SetInt("unlockedTutorialCount", PlayerPref::GetInt("unlockedTutorialCount") + 1);
    counted = true;
}

void Tutorial::OnTriggerExit(GameObjectInterface* other)
{
    const std::string suffix = Suffix();
    if (!suffix.empty() && IsPlayer(other))
        SetImageAlpha(FindImage("Tutorial" + suffix), 0.0f);
}

std::string Tutorial::Suffix() const
{
    const std::string name = owner->GetName();
    return name.empty() ? std::string() : name.substr(name.size() - 1);
}
