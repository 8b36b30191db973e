#include "menuinput.h"

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "inputinterface.h"
#include "recttransforminterface.h"
#include "scriptlookup.h"

MenuStick gMenuStick;

namespace
{
constexpr float kStickThreshold = 0.1f;
constexpr float kStickRepeat = 0.25f;

struct DirectionInput
{
    std::uint16_t key;
    std::uint32_t axis;
    bool negative;
    std::uint32_t button;
};

// Arrow keys, the left stick's axes and the D-pad's masks, in the order of MenuDirection.
constexpr DirectionInput kDirections[] = {
    {40, 1, true, 2},
    {38, 1, false, 1},
    {37, 0, true, 4},
    {39, 0, false, 8},
};
} // namespace

bool MenuStickStep(std::uint32_t axis, bool negative, bool countTime)
{
    if (gMenuStick.stickLatched)
    {
        if (countTime)
            gMenuStick.stickLatchTime += gServices.dt;
        if (gMenuStick.stickLatchTime > kStickRepeat)
        {
            gMenuStick.stickLatched = false;
            gMenuStick.stickLatchTime = 0.0f;
        }
        return false;
    }
    const float value = gServices.input->GetAxis(axis);
    const bool step = negative ? value < -kStickThreshold : value > kStickThreshold;
    gMenuStick.stickLatched = step;
    return step;
}

bool MenuPressed(MenuDirection direction, bool countTime)
{
    const DirectionInput& input = kDirections[static_cast<int>(direction)];
    InputInterface& device = *gServices.input;
    return device.IsKeyTriggered(input.key) || MenuStickStep(input.axis, input.negative, countTime) ||
           device.IsButtonTriggered(input.button);
}

std::int32_t Wrapped(std::int32_t index, bool next, std::int32_t count)
{
    if (count < 1)
        return 0;
    if (next)
        return index + 1 >= count ? 0 : index + 1;
    return index - 1 < 0 ? count - 1 : index - 1;
}

void ShowImage(const GameObjectInterface* object, bool shown)
{
    if (ImageInterface* image = ImageOf(object))
        image->SetEnabled(shown);
}

void ShowElement(RectTransformInterface* element, bool shown)
{
    if (!element)
        return;
    element->SetEnabled(shown);
    ShowImage(element->GetGameObject(), shown);
}

std::int32_t CountFrame(std::int32_t& count, std::int32_t cap)
{
    const std::int32_t before = count;
    count = count < cap ? count + 1 : cap;
    return before;
}

const Vector3* RectPosition(const GameObjectInterface* object)
{
    const RectTransformInterface* rect = object ? object->GetRectTransform() : nullptr;
    return rect ? &rect->GetPosition() : nullptr;
}
