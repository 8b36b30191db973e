#include "c_animator.h"

#include "resourcemanager.h"

#include <cmath>

float AdvanceAnimationTime(float current, float start, float end, float speed, bool loop, float frameTime)
{
    if (speed >= 0.0f && !(end > current))
        return loop ? start : current;
    if (speed < 0.0f && !(current > start))
        return loop ? end : current;
    return current + frameTime * speed;
}

void Animator::Serialize(XMLWriter& writer, const Component* prefab) const
{
    if (prefab && prefab->Compare(*this))
        return;
    const auto* reference = dynamic_cast<const Animator*>(prefab);
    writer.BeginElement(GetElementName());
    if (!reference || reference->IsEnabled() != IsEnabled())
        writer.WriteElement("Enabled", IsEnabled());
    if (!reference || reference->controller_.name != controller_.name)
        writer.WriteElement("AnimControllerName", controller_.name);
    writer.EndElement();
}

void Animator::Deserialize(const XMLNode& element)
{
    for (const XMLNode* child : element.children)
    {
        if (child->name == "Enabled")
        {
            bool enabled = IsEnabled();
            if (XMLReader::ReadValue(child->value, &enabled))
                StoreEnabled(enabled);
        }
        else if (child->name == "AnimControllerName")
        {
            controller_.name = child->value;
            SetController(child->value);
        }
    }
}

std::unique_ptr<Component> Animator::Clone() const
{
    auto copy = std::make_unique<Animator>(*this);
    copy->paused_ = false;
    return copy;
}

bool Animator::Compare(const Component& other) const
{
    const auto* same = dynamic_cast<const Animator*>(&other);
    ASSERT(same, "Animator compare function kena nullptr");
    return same && same->IsEnabled() == IsEnabled() && same->controller_.name == controller_.name;
}

float Animator::GetCurrentFrame() const
{
    if (!(controller_.animDuration > 0.0f))
        return GetEndFrame();
    const float frame = controller_.currentTime * controller_.totalFrames / controller_.animDuration;
    return std::floor(frame * 10000.0f + 0.5f) / 10000.0f;
}

void Animator::SetController(const std::string& name)
{
    if (!gResourceManager)
        return;
    const auto found = gResourceManager->animationControllers.find(name);
    if (found != gResourceManager->animationControllers.end() && found->second)
        controller_ = *found->second;
}

void Animator::Advance(float frameTime)
{
    if (paused_)
        return;
    const AnimationState& state = StateOf(controller_.currentState);
    controller_.currentTime = AdvanceAnimationTime(controller_.currentTime, controller_.startTime, controller_.endTime,
                                                   state.speed, state.loop, frameTime);
}

const AnimationState& Animator::StateOf(const std::string& name) const
{
    static const AnimationState kAbsent;
    const auto found = controller_.states.find(name);
    return found == controller_.states.end() ? kAbsent : found->second;
}
