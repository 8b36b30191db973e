#pragma once
#include "TorvaneMath.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

class Collider;
class GameObject;
class RigidBody;
class Transform;

// One simulated object as the broad phase sees it: its parts, and a sphere that holds its shape and its
// motion over the frame.
struct BroadPhaseEntry
{
    std::int32_t group = -1; // -1 while in no group
    std::uint8_t isStatic = 0;
    std::int32_t shape = 0; // the collider's type: box, sphere, capsule
    Collider* collider = nullptr;
    RigidBody* body = nullptr;
    float boundingRadius = 0.0f;
    GameObject* object = nullptr;
    Vector3 centre;
    Transform* transform = nullptr;
};

// The axis (0 x, 1 y, 2 z) along which the finite centres spread most: sweeping along it, the fewest spans
// meet without their spheres meeting. A row of bodies along z swept along x would meet everywhere.
inline unsigned AxisOfMostSpread(const std::vector<Vector3>& centres)
{
    double sum[3] = {};
    double squares[3] = {};
    double count = 0.0;
    for (const Vector3& centre : centres)
    {
        if (!centre.IsFinite())
            continue;
        count += 1.0;
        for (unsigned axis = 0; axis < 3; ++axis)
        {
            sum[axis] += centre[axis];
            squares[axis] += static_cast<double>(centre[axis]) * centre[axis];
        }
    }
    unsigned best = 0;
    double bestSpread = -1.0;
    for (unsigned axis = 0; axis < 3 && count > 0.0; ++axis)
    {
        const double spread = squares[axis] - sum[axis] * sum[axis] / count;
        if (spread > bestSpread)
        {
            best = axis;
            bestSpread = spread;
        }
    }
    return best;
}

// Calls visit(i, j), i < j, once for every pair whose spans [centre - reach, centre + reach] meet along the
// axis of most spread. A centre or reach that is not finite meets every other: callers decide those pairs.
template <class Visit>
void ForEachPairMeetingOnAnAxis(const std::vector<Vector3>& centres, const std::vector<float>& reaches,
                                Visit&& visit)
{
    struct Span
    {
        float low;
        float high;
        std::size_t index;
    };
    const unsigned axis = AxisOfMostSpread(centres);
    const std::size_t count = centres.size();
    std::vector<Span> spans;
    spans.reserve(count);
    std::vector<std::size_t> wild;
    for (std::size_t i = 0; i < count; ++i)
    {
        if (centres[i].IsFinite() && std::isfinite(reaches[i]))
            spans.push_back({centres[i][axis] - reaches[i], centres[i][axis] + reaches[i], i});
        else
            wild.push_back(i);
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.low < b.low; });
    for (std::size_t at = 0; at < spans.size(); ++at)
        for (std::size_t next = at + 1; next < spans.size() && spans[next].low <= spans[at].high; ++next)
            visit(std::min(spans[at].index, spans[next].index), std::max(spans[at].index, spans[next].index));
    for (std::size_t w = 0; w < wild.size(); ++w)
        for (std::size_t other = 0; other < count; ++other)
            if (other != wild[w] && !std::binary_search(wild.begin(), wild.begin() + w, other))
                visit(std::min(wild[w], other), std::max(wild[w], other));
}

// Joins entries whose bounding spheres overlap (two static entries never by their own pair) into groups,
// numbers each entry's group and answers the groups' entry indices. A group lists its entries by shape,
// then in entry order; groups come in the order of their first entry. Unless there are two entries and one
// of them moves, no entry gets a group: nothing could touch anything.
std::vector<std::vector<std::size_t>> GroupEntries(std::vector<BroadPhaseEntry>& entries);
