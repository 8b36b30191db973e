#pragma once
#include <cstdint>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "gameobjectinterface.h"
#include "TorvaneMath.h"

class AnimatorInterface;

// The one confirm input of menus and cutscenes: Enter, Space, the left mouse button or gamepad A went down
// this frame.
bool IsConfirmPressed();

// Sine of a whole number of degrees, from a table of 91 values rounded to six decimals.
float SinDegrees(int degrees);

// The scripts' random numbers, 0 to kRandomMax whatever the C library's range: the gameplay formulas are
// written for that range (a shake of Random() / 16383.5 - 1 stays within -1..1).
inline constexpr int kRandomMax = 32767;
int Random();
// The library seeds once at load; tests seed for repeatable runs.
void SeedRandom(std::uint32_t seed);

// A sound of no place in the world (menus, voices): played at the origin.
void PlayAtOrigin(const std::string& sound, float volume);

// The animator's state has played to its end frame. A missing animator counts as ended, so whatever waits
// for it goes on.
bool AnimationEnded(const AnimatorInterface* animator);

// The text has the part somewhere in it: how scripts match names and tags.
bool Contains(std::string_view text, std::string_view part);
bool TagHas(const GameObjectInterface& object, std::string_view part);

float DistanceSquared(const Vector3& a, const Vector3& b);
// The yaw in degrees that faces along the direction: atan2(z, x), made positive, minus 90. A direction
// without a horizontal part keeps the previous yaw (normalising it would give NaN).
float FacingYaw(const Vector3& direction, float previousYaw);

// Reports each message the first time only; every script copy holds its own record.
class ReportOnce
{
public:
    void operator()(std::string_view message, std::source_location where = std::source_location::current());

private:
    std::vector<std::string> reported_;
};
