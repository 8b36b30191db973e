#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class WaypointInterface;

// The waypoints one path search ran over, as they were then: shared by the tables of every source. The
// waypoints are named, never read, so a table outlives any of them safely.
struct PathGraph
{
    explicit PathGraph(std::vector<WaypointInterface*> listed, std::vector<std::uint64_t> listedIds);

    std::vector<WaypointInterface*> waypoints;
    std::vector<std::uint64_t> ids;
    // The list indices that carry each id, in list order: ids may repeat.
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> indicesOfId;
};

// One waypoint's shortest paths to every waypoint of a search: the previous waypoint of each on its path and
// its distance, so a path is built only when asked for. Where ids repeat, the last listed waypoint of the id
// answers (the last one reached, for a path).
class PathTable
{
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    PathTable() = default;
    PathTable(std::shared_ptr<const PathGraph> graph, std::uint32_t source, std::vector<std::uint32_t> previous,
              std::vector<float> distances);

    bool Contains(std::uint64_t targetId) const { return ReachedIndex(targetId) != kNone; }
    // From the source to the target, both included; empty without a path.
    std::vector<WaypointInterface*> PathTo(std::uint64_t targetId) const;
    // The largest float when the target was not reached or is not known.
    float DistanceTo(std::uint64_t targetId) const;
    // How many ids have a path.
    std::size_t Count() const;

private:
    bool Reached(std::uint32_t index) const { return index == source_ || previous_[index] != kNone; }
    std::uint32_t ReachedIndex(std::uint64_t targetId) const;

    std::shared_ptr<const PathGraph> graph_;
    std::uint32_t source_ = kNone;
    std::vector<std::uint32_t> previous_;
    std::vector<float> distances_;
};
