#include "testcameraswitch.h"

#include <cstdint>
#include <string>

#include "coreinterface.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "scriptlookup.h"

namespace
{
// On the object of the first name, the key makes the object of the second name the main camera.
struct Switch
{
    const char* from;
    std::uint16_t key;
    const char* to;
};
constexpr Switch kSwitches[] = {{"Camera1", 'Q', "Camera2"}, {"Camera2", 'W', "Camera1"}};
} // namespace

void TestCameraSwitch::Update()
{
    const std::string name = owner->GetName();
    for (const Switch& cameraSwitch : kSwitches)
    {
        if (name != cameraSwitch.from || !gServices.input->IsKeyTriggered(cameraSwitch.key))
            continue;
        if (const GameObjectInterface* target = FindObjectNamed(cameraSwitch.to))
            gServices.core->SetMainCamera(target->GetID());
    }
}
