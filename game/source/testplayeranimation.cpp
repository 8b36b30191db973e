#include "testplayeranimation.h"

#include <array>
#include <cstdint>
#include <string>

#include "animatorinterface.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "inputinterface.h"

namespace
{
constexpr std::array<std::uint16_t, 4> kWalkKeys{'W', 'A', 'S', 'D'};
} // namespace

void TestPlayerAnimation::Reload()
{
    animator = owner->GetAnimator();
}

void TestPlayerAnimation::Start()
{
    Reload();
}

void TestPlayerAnimation::Update()
{
    if (!animator)
        return;
    bool walking = false;
    for (const std::uint16_t key : kWalkKeys)
        walking = walking || gServices.input->IsKeyPressed(key);
    const std::string state = walking ? "Walk" : "Idle";
    if (animator->GetCurrentState() != state)
        animator->Play(state);
}
