#pragma once
#include "animationcontroller.h"
#include "animatorinterface.h"
#include "component.h"

// Plays named states of a model's animation from its own copy of a controller. The drawing passes move the
// clock (Advance) and pose the model at GetCurrentTime.
class Animator : public ComponentBase<AnimatorInterface>
{
public:
    Animator() : ComponentBase(CompEnum::Animator) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    // Reads the flag without telling any system; a controller name takes that controller when it is cached.
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "Animator"; }
    // Not paused; the enabled flag and the controller with its clock travel.
    std::unique_ptr<Component> Clone() const override;
    bool Compare(const Component& other) const override;

    void Play(std::string state) override { controller_.Play(state); }
    void Restart() override { controller_.Play(controller_.defaultState); }
    void Pause() override { paused_ = true; }
    void Resume() override { paused_ = false; }
    void SetSpeed(const float& speed) override { controller_.states[controller_.currentState].speed = speed; }
    void SetStateSpeed(std::string state, const float& speed) override { controller_.states[state].speed = speed; }
    std::string GetCurrentState() const override { return controller_.currentState; }
    float GetSpeed() const override { return StateOf(controller_.currentState).speed; }
    float GetStateSpeed(std::string state) const override { return StateOf(state).speed; }
    const bool& IsPaused() const override { return paused_; }
    bool IsLooping() const override { return !paused_ && StateOf(controller_.currentState).loop; }
    float GetStartTime() const override { return controller_.startTime; }
    float GetEndTime() const override { return controller_.endTime; }
    float GetCurrentTime() const override { return controller_.currentTime; }
    float GetStartFrame() const override { return StateOf(controller_.currentState).startFrame; }
    float GetEndFrame() const override { return StateOf(controller_.currentState).endFrame; }
    // An animation without length stands at the end of every state.
    float GetCurrentFrame() const override;

    // Copies the cached controller of that name; an unknown name changes nothing.
    void SetController(const std::string& name);
    std::string GetControllerName() const { return controller_.name; }
    // Empty names no controller: such an animator poses nothing.
    bool HasController() const { return !controller_.name.empty(); }
    // One pass's step of the clock; a paused animator keeps its time.
    void Advance(float frameTime);
    const AnimationController& GetController() const { return controller_; }

private:
    // A state the controller lacks reads as a new default state would.
    const AnimationState& StateOf(const std::string& name) const;

    AnimationController controller_;
    bool paused_ = false;
};

// The clock of a state between start and end (seconds) at speed: forward it stops at the end, or with loop
// jumps back to exactly the start; backward the same towards the start. A jump drops the overshoot and that
// step does not advance.
float AdvanceAnimationTime(float current, float start, float end, float speed, bool loop, float frameTime);
