#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "TorvaneMath.h"

class GameObjectInterface;
class RectTransformInterface;

// The stick-step latch, one for every menu of the library.
struct MenuStick
{
    bool stickLatched = false;
    float stickLatchTime = 0.0f;
};
extern MenuStick gMenuStick;

// One menu step from a gamepad stick axis past 0.1 (below -0.1 when negative), then none until the latch has
// been counted for more than 0.25 s by callers passing countTime.
bool MenuStickStep(std::uint32_t axis, bool negative, bool countTime);

enum class MenuDirection
{
    Down,
    Up,
    Left,
    Right,
};

// The arrow key triggered, a stick step or the D-pad triggered, tested in that order.
bool MenuPressed(MenuDirection direction, bool countTime);

// Steps an index by one with wrap-around at both ends of count entries.
std::int32_t Wrapped(std::int32_t index, bool next, std::int32_t count);

// Shows or hides the object's image, when it has one.
void ShowImage(const GameObjectInterface* object, bool shown);

// The object's image is drawn. A reloaded screen learns from it whether it is the one up.
bool ImageShown(const GameObjectInterface* object);

// The index of the object the glow stands beside, the glow being offsetX to the right of it at its height; -1
// when it stands beside none. A reloaded menu learns its selection from it.
std::int32_t IndexBeside(const std::vector<GameObjectInterface*>& objects, const RectTransformInterface* glow,
                         float offsetX);

// Shows or hides a UI element whole: its rect transform and its object's image, which the renderer both needs.
void ShowElement(RectTransformInterface* element, bool shown);

// The position of the object's rect transform; null when it has none.
const Vector3* RectPosition(const GameObjectInterface* object);

// Counts a frame, stopping at cap so that a screen left open for hours keeps comparing right; answers the count
// before this frame.
std::int32_t CountFrame(std::int32_t& count, std::int32_t cap);

// A menu handed control during a frame must not act on the confirm press that handed it over: the press is
// still "triggered" when the menu updates later in the same frame.
class ConfirmGuard
{
public:
    void Block() { blocked_ = true; }
    // Called once at the top of each update: true when confirm counts in this one.
    bool Pass() { return !std::exchange(blocked_, false); }

private:
    bool blocked_ = false;
};
