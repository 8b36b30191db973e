#include "testaddremovescript.h"

#include <cstdint>
#include <iostream>

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "monobehaviordllinterface.h"
#include "scriptlookup.h"

namespace
{
constexpr std::uint16_t kRemoveKey = 'Z';
constexpr std::uint16_t kPrintKey = 'R';
} // namespace

void TestAddRemoveScript::Update()
{
    InputInterface& input = *gServices.input;
    if (owner->GetName() == "Script1" && input.IsKeyReleased(kRemoveKey))
    {
        const GameObjectInterface* other = FindObjectNamed("Script2");
        MonoBehaviorDLLInterface* holder = other ? other->GetMonoBehavior() : nullptr;
        if (Check(holder, "TestAddRemoveScript. Missing Script2"))
            holder->RemoveMono("TestPrint");
    }
    if (input.IsKeyReleased(kPrintKey))
        std::cout << owner->GetName() << " printing" << std::endl;
}
