#include "sendpause.h"

#include <iostream>

#include "coreinterface.h"
#include "gameservices.h"
#include "inputinterface.h"

namespace
{
constexpr std::uint16_t kEscapeKey = 27;
} // namespace

void SendPause::Update()
{
    if (!gServices.input->IsKeyReleased(kEscapeKey))
        return;
    std::cout << "PRESSED 0 : ";
    CoreInterface& core = *gServices.core;
    core.SetPaused(!core.IsPaused());
    std::cout << (core.IsPaused() ? 1 : 0) << std::endl;
}
