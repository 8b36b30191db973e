#include "cheatcodes.h"

#include <array>
#include <cstdint>

#include "audiointerface.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "levelswitcher.h"
#include "objectfactoryinterface.h"
#include "playerstats.h"
#include "scenesteps.h"
#include "scriptlookup.h"

namespace
{
enum Action
{
    kReload,
    kNextLevel,
    kGodMode,
    kUnlock,
};

constexpr std::uint16_t kCtrl = 17;
// R, N, G, U: the keys of the actions, in their order.
constexpr std::array<std::uint16_t, 4> kKeys{82, 78, 71, 85};
constexpr std::uint32_t kBack = 32;
// Left shoulder, right shoulder, D-pad up, D-pad down.
constexpr std::array<std::uint32_t, 4> kButtons{256, 512, 1, 2};

// The first of the four that the test picks; -1 when none.
template <class Code, class Test>
int FirstAction(const std::array<Code, 4>& codes, Test test)
{
    for (std::size_t action = 0; action < codes.size(); ++action)
        if (test(codes[action]))
            return static_cast<int>(action);
    return -1;
}

void LoadNextLevel()
{
    const std::vector<GameObjectInterface*> objects = gServices.factory->GetAllObjects();
    for (const GameObjectInterface* object : objects)
    {
        if (!ScriptOf<LevelSwitcher>(object))
            continue;
        gServices.audio->StopAll();
        gServices.factory->LoadLevel(object->GetName());
    }
}
} // namespace

void CheatCodes::Update()
{
    InputInterface& input = *gServices.input;
    if (input.IsKeyPressed(kCtrl))
        Act(FirstAction(kKeys, [&](std::uint16_t key) { return input.IsKeyTriggered(key); }));
    if (input.IsButtonPressed(kBack))
        Act(FirstAction(kButtons, [&](std::uint32_t button) { return input.IsButtonReleased(button); }));
}

void CheatCodes::Act(int action)
{
    switch (action)
    {
    case kReload: gServices.factory->LoadLevel(gServices.factory->GetLevelName()); break;
    case kNextLevel: LoadNextLevel(); break;
    case kGodMode: SwitchGodMode(); break;
    case kUnlock: Unlock(); break;
    default: break;
    }
}

void CheatCodes::Unlock()
{
    if (PlayerStats* stats = FindPlayerStats())
    {
        stats->SetUnlockedBlink(true);
        stats->SetUnlockedMelee(true);
    }
}

void CheatCodes::SwitchGodMode()
{
    godMode = !godMode;
    if (PlayerStats* stats = FindPlayerStats())
        stats->invulnerable = godMode;
    // An empty name plays the audio system's "Default" sound.
    if (godMode)
        gServices.audio->PlayOneShot("", 1.0f, Vector3());
}
