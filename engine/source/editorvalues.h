#pragma once
// The rule every number field of the editor keeps: a typed number that overflows a float ("1e39") reads as
// infinity, which would move an object out of sight and be saved as "inf". Such a value is refused and the old
// one kept.
#include "TorvaneMath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace editorvalues
{
inline bool IsFinite(float value)
{
    return std::isfinite(value);
}

inline bool IsFinite(const Vector2& value)
{
    return IsFinite(value.x) && IsFinite(value.y);
}

inline bool IsFinite(const Vector3& value)
{
    return IsFinite(value.x) && IsFinite(value.y) && IsFinite(value.z);
}

// Values without a float in them cannot be infinite.
template <class T>
bool IsFinite(const T&)
{
    return true;
}

// Draws control (which takes a float* and says whether it changed the floats) on a copy of count floats, at
// most four; the values take the copy only when it changed and is finite throughout. True when they took it.
template <class Control>
bool EditFinite(float* values, std::size_t count, Control&& control)
{
    std::array<float, 4> copy{};
    std::copy_n(values, count, copy.begin());
    if (!control(copy.data()) || !std::all_of(copy.begin(), copy.begin() + count, [](float v) { return IsFinite(v); }))
        return false;
    std::copy_n(copy.begin(), count, values);
    return true;
}

template <class Control>
bool EditFinite(float& value, Control&& control)
{
    return EditFinite(&value, 1, control);
}
} // namespace editorvalues
