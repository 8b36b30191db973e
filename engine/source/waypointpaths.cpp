#include "waypointpaths.h"

#include <algorithm>
#include <limits>

PathGraph::PathGraph(std::vector<WaypointInterface*> listed, std::vector<std::uint64_t> listedIds)
    : waypoints(std::move(listed)), ids(std::move(listedIds))
{
    for (std::uint32_t index = 0; index < ids.size(); ++index)
        indicesOfId[ids[index]].push_back(index);
}

PathTable::PathTable(std::shared_ptr<const PathGraph> graph, std::uint32_t source, std::vector<std::uint32_t> previous,
                     std::vector<float> distances)
    : graph_(std::move(graph)), source_(source), previous_(std::move(previous)), distances_(std::move(distances))
{
}

std::uint32_t PathTable::ReachedIndex(std::uint64_t targetId) const
{
    if (!graph_)
        return kNone;
    const auto found = graph_->indicesOfId.find(targetId);
    if (found == graph_->indicesOfId.end())
        return kNone;
    const auto& indices = found->second;
    const auto last = std::find_if(indices.rbegin(), indices.rend(), [&](std::uint32_t at) { return Reached(at); });
    return last == indices.rend() ? kNone : *last;
}

std::vector<WaypointInterface*> PathTable::PathTo(std::uint64_t targetId) const
{
    std::vector<WaypointInterface*> path;
    for (std::uint32_t at = ReachedIndex(targetId); at != kNone; at = previous_[at])
        path.push_back(graph_->waypoints[at]);
    std::ranges::reverse(path);
    return path;
}

float PathTable::DistanceTo(std::uint64_t targetId) const
{
    if (!graph_)
        return std::numeric_limits<float>::max();
    const auto found = graph_->indicesOfId.find(targetId);
    return found == graph_->indicesOfId.end() ? std::numeric_limits<float>::max() : distances_[found->second.back()];
}

std::size_t PathTable::Count() const
{
    if (!graph_)
        return 0;
    return static_cast<std::size_t>(std::ranges::count_if(graph_->indicesOfId, [&](const auto& entry) {
        return std::ranges::any_of(entry.second, [&](std::uint32_t at) { return Reached(at); });
    }));
}
