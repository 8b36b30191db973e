#include "menuinput.h"

#include <cmath>

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
// Positions written by the menus and read back: only float noise between them.
constexpr float kBesideTolerance = 0.01f;

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

bool ImageShown(const GameObjectInterface* object)
{
    const ImageInterface* image = ImageOf(object);
    return image && image->IsEnabled();
}

std::int32_t IndexBeside(const std::vector<GameObjectInterface*>& objects, const RectTransformInterface* glow,
                         float offsetX)
{
    if (!glow)
        return -1;
    const Vector3& at = glow->GetPosition();
    for (std::size_t index = 0; index < objects.size(); ++index)
    {
        const Vector3* position = RectPosition(objects[index]);
        if (position && std::fabs(position->x + offsetX - at.x) < kBesideTolerance &&
            std::fabs(position->y - at.y) < kBesideTolerance)
            return static_cast<std::int32_t>(index);
    }
    return -1;
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
