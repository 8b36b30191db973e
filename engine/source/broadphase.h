#pragma once
#include "TorvaneMath.h"

#include <algorithm>
#include <array>
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

// The axes (0 x, 1 y, 2 z) ordered by how far the finite centres spread along them, the widest first.
std::array<unsigned, 3> AxesBySpread(const std::vector<Vector3>& centres);

// Calls visit(i, j), i < j, once for every pair whose boxes of centre +- reach meet along the two axes the
// centres spread most on (swept along the first, so a row of bodies along any axis costs the same). Every
// pair of spheres that meet is visited. A centre or reach that is not finite meets every other: callers
// decide those pairs themselves.
template <class Visit>
void ForEachPairMeeting(const std::vector<Vector3>& centres, const std::vector<float>& reaches, Visit&& visit)
{
    struct Span
    {
        float low;
        float high;
        float crossLow;
        float crossHigh;
        std::size_t index;
    };
    const auto [axis, cross, unused] = AxesBySpread(centres);
    const auto along = [](const Vector3& v, unsigned a) { return a == 0 ? v.x : a == 1 ? v.y : v.z; };
    const std::size_t count = centres.size();
    std::vector<Span> spans;
    spans.reserve(count);
    std::vector<std::size_t> wild;
    for (std::size_t i = 0; i < count; ++i)
    {
        const float reach = reaches[i];
        if (!centres[i].IsFinite() || !std::isfinite(reach))
        {
            wild.push_back(i);
            continue;
        }
        const float at = along(centres[i], axis);
        const float crossAt = along(centres[i], cross);
        spans.push_back({at - reach, at + reach, crossAt - reach, crossAt + reach, i});
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.low < b.low; });
    // Whether two spans meet across is a coin toss to the branch predictor: each one is written down and
    // kept or not by the answer, and only the kept ones visited.
    std::vector<std::size_t> meeting(spans.size());
    for (std::size_t at = 0; at < spans.size(); ++at)
    {
        const Span& a = spans[at];
        std::size_t kept = 0;
        for (std::size_t next = at + 1; next < spans.size() && spans[next].low <= a.high; ++next)
        {
            const Span& b = spans[next];
            meeting[kept] = b.index;
            kept += static_cast<std::size_t>((b.crossLow <= a.crossHigh) & (a.crossLow <= b.crossHigh));
        }
        for (std::size_t k = 0; k < kept; ++k)
            visit(std::min(a.index, meeting[k]), std::max(a.index, meeting[k]));
    }
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
