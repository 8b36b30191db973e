#pragma once
#include <cstdint>

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
