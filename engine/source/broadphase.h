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

// Calls visit(i, j), i < j, once for every pair of spans [centre.x - reach, centre.x + reach] that meet.
// A span that is not a pair of finite numbers meets every other: callers decide those pairs themselves.
template <class Visit>
void ForEachPairMeetingOnX(const std::vector<Vector3>& centres, const std::vector<float>& reaches, Visit&& visit)
{
    struct Span
    {
        float low;
        float high;
        std::size_t index;
    };
    const std::size_t count = centres.size();
    std::vector<Span> spans;
    std::vector<std::size_t> wild;
    for (std::size_t i = 0; i < count; ++i)
    {
        if (std::isfinite(centres[i].x) && std::isfinite(reaches[i]))
            spans.push_back({centres[i].x - reaches[i], centres[i].x + reaches[i], i});
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
