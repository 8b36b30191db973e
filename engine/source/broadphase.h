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
    const std::size_t count = centres.size();
    std::vector<std::size_t> order;
    std::vector<std::size_t> wild;
    for (std::size_t i = 0; i < count; ++i)
        (std::isfinite(centres[i].x) && std::isfinite(reaches[i]) ? order : wild).push_back(i);
    const auto low = [&](std::size_t i) { return centres[i].x - reaches[i]; };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return low(a) < low(b); });
    for (std::size_t at = 0; at < order.size(); ++at)
    {
        const float high = centres[order[at]].x + reaches[order[at]];
        for (std::size_t next = at + 1; next < order.size() && low(order[next]) <= high; ++next)
            visit(std::min(order[at], order[next]), std::max(order[at], order[next]));
    }
    for (std::size_t w = 0; w < wild.size(); ++w)
        for (std::size_t other = 0; other < count; ++other)
            if (other != wild[w] && !(std::binary_search(wild.begin(), wild.begin() + w, other)))
                visit(std::min(wild[w], other), std::max(wild[w], other));
}

// Joins entries whose bounding spheres overlap (two static entries never by their own pair) into groups,
// numbers each entry's group and answers the groups' entry indices. A group lists its entries by shape,
// then in entry order; groups come in the order of their first entry. Unless there are two entries and one
// of them moves, no entry gets a group: nothing could touch anything.
std::vector<std::vector<std::size_t>> GroupEntries(std::vector<BroadPhaseEntry>& entries);
