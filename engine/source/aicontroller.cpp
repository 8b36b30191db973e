#include "aicontroller.h"

#include "assertion.h"
#include "c_waypoint.h"
#include "gameobject.h"
#include "message.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <queue>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace
{
constexpr float kUnreached = std::numeric_limits<float>::max();
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

struct Step
{
    std::size_t target;
    float weight;
};

// The edges of each waypoint by list index. Edges whose target is not a listed waypoint with the id the
// edge was made for are dropped: such a target may be freed, so it is recognised by address, never read.
std::vector<std::vector<Step>> PruneAndIndexEdges(const std::vector<Waypoint*>& waypoints)
{
    std::unordered_map<const WaypointInterface*, std::size_t> index;
    for (std::size_t n = 0; n < waypoints.size(); ++n)
        index.emplace(waypoints[n], n);
    std::vector<std::vector<Step>> steps(waypoints.size());
    for (std::size_t n = 0; n < waypoints.size(); ++n)
    {
        std::erase_if(waypoints[n]->Edges(), [&](const WaypointEdge& edge) {
            const auto found = index.find(edge.target);
            return found == index.end() || waypoints[found->second]->GetUniqueID() != edge.targetId;
        });
        for (const WaypointEdge& edge : waypoints[n]->Edges())
            steps[n].push_back({index.at(edge.target), edge.weight});
    }
    return steps;
}

// Dijkstra from one source; the previous waypoint of each on its shortest path. Of equal distances the
// lower UniqueID is taken first (then the earlier listed), so equal paths come out the same every run.
std::vector<std::size_t> ShortestPaths(const std::vector<Waypoint*>& waypoints,
                                       const std::vector<std::vector<Step>>& steps, std::size_t source,
                                       std::vector<float>& distances)
{
    using Entry = std::tuple<float, std::uint64_t, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> heap;
    std::vector<std::size_t> previous(waypoints.size(), kNone);
    distances.assign(waypoints.size(), kUnreached);
    distances[source] = 0.0f;
    heap.emplace(0.0f, waypoints[source]->GetUniqueID(), source);
    while (!heap.empty())
    {
        const float reached = std::get<0>(heap.top());
        const std::size_t from = std::get<2>(heap.top());
        heap.pop();
        // A waypoint popped again improves nothing; walking its edges again would cost a waypoint with
        // many edges in and out the product of the two.
        if (reached > distances[from])
            continue;
        for (const Step& step : steps[from])
        {
            const float through = distances[from] + step.weight;
            if (distances[step.target] > through)
            {
                distances[step.target] = through;
                previous[step.target] = from;
                heap.emplace(through, waypoints[step.target]->GetUniqueID(), step.target);
            }
        }
    }
    return previous;
}

Waypoint::Path PathTo(const std::vector<Waypoint*>& waypoints, const std::vector<std::size_t>& previous,
                      std::size_t target)
{
    Waypoint::Path path;
    for (std::size_t at = target; at != kNone; at = previous[at])
        path.push_back(waypoints[at]);
    std::ranges::reverse(path);
    return path;
}

Waypoint* WaypointOf(const GameObject* object)
{
    return object ? object->GetComponent<Waypoint>() : nullptr;
}
} // namespace

AIController::AIController() : System(SystemId::AI)
{
}

void AIController::Init()
{
    waypointObjects_.clear();
    askers_.clear();
}

void AIController::Update()
{
    if (!pathsBuilt_)
    {
        RefindEdges();
        pathsBuilt_ = true;
    }
    if (std::exchange(pathsWanted_, false))
        GeneratePaths();
}

void AIController::RegisterObject(GameObject* object)
{
    ASSERT(object, "AI System registering nullptr. RegisterObject function call");
    if (WaypointOf(object) && !object->IsDestroyed() &&
        std::ranges::find(waypointObjects_, object) == waypointObjects_.end())
        waypointObjects_.push_back(object);
}

void AIController::UnregisterObject(GameObject* object)
{
    askers_.erase(object);
    // By the object itself, not its UniqueID, which another object may share: this one is about to be freed.
    if (std::erase(waypointObjects_, object) == 0)
        return;
    const Waypoint* leaving = WaypointOf(object);
    const std::vector<Waypoint*> waypoints = ListedWaypoints();
    const std::unordered_set<const Waypoint*> listed(waypoints.begin(), waypoints.end());
    for (const GameObject* asker : askers_)
        if (Waypoint* waypoint = WaypointOf(asker); waypoint && waypoint->GetNearest() &&
                                                    !listed.contains(waypoint->GetNearest()))
            waypoint->SetNearest(nullptr);
    for (Waypoint* waypoint : waypoints)
    {
        // An object that lost its Waypoint earlier leaves no way to tell what led to it.
        const bool ledThere = !leaving || std::ranges::any_of(waypoint->Edges(), [&](const WaypointEdge& edge) {
            return edge.target == leaving;
        });
        if (ledThere || waypoint->Paths().contains(leaving->GetUniqueID()))
            pathsWanted_ = true;
    }
}

std::vector<Waypoint*> AIController::ListedWaypoints()
{
    std::erase_if(waypointObjects_, [](const GameObject* object) { return !WaypointOf(object); });
    std::vector<Waypoint*> waypoints;
    waypoints.reserve(waypointObjects_.size());
    for (const GameObject* object : waypointObjects_)
        waypoints.push_back(WaypointOf(object));
    return waypoints;
}

void AIController::RefindEdges()
{
    const std::vector<Waypoint*> waypoints = ListedWaypoints();
    std::unordered_map<std::uint64_t, Waypoint*> byId;
    for (Waypoint* waypoint : waypoints)
        byId.emplace(waypoint->GetUniqueID(), waypoint);
    for (Waypoint* waypoint : waypoints)
    {
        waypoint->Paths().clear();
        waypoint->Distances().clear();
        // Rebuilt, not added to: asking twice gives the same edges.
        waypoint->Edges().clear();
        for (const std::uint64_t id : waypoint->GetEdgeIds())
            if (const auto found = byId.find(id); found != byId.end())
                waypoint->LinkTo(*found->second);
    }
    // Once for the whole graph, by the next update: a message per edge would have it made again a frame later.
    pathsWanted_ = true;
}

void AIController::GeneratePaths()
{
    const std::vector<Waypoint*> waypoints = ListedWaypoints();
    const std::vector<std::vector<Step>> steps = PruneAndIndexEdges(waypoints);
    std::vector<float> distances;
    for (std::size_t source = 0; source < waypoints.size(); ++source)
    {
        const std::vector<std::size_t> previous = ShortestPaths(waypoints, steps, source, distances);
        Waypoint& from = *waypoints[source];
        from.Paths().clear();
        from.Distances().clear();
        for (std::size_t target = 0; target < waypoints.size(); ++target)
        {
            const std::uint64_t id = waypoints[target]->GetUniqueID();
            from.Distances()[id] = distances[target];
            if (target == source || previous[target] != kNone)
                from.Paths()[id] = PathTo(waypoints, previous, target);
        }
    }
}

Waypoint* AIController::NearestWaypoint(const Vector3& position)
{
    float best = kUnreached;
    Waypoint* nearest = nullptr;
    for (Waypoint* waypoint : ListedWaypoints())
    {
        const float distance = (waypoint->GetPosition() - position).LengthSquared();
        if (distance < best)
        {
            best = distance;
            nearest = waypoint;
        }
    }
    return nearest;
}

void AIController::HandleMessage(const BaseMessage& message)
{
    if (message.receiver == SystemId::AI)
        HandleAIMessage(message);
    else if (message.receiver == SystemId::All && message.name == MessageNames::Register)
    {
        if (GameObject* object = PayloadObject<GameObject>(message))
            RegisterObject(object);
    }
    else if (message.receiver == SystemId::All && message.name == MessageNames::Destroy)
        UnregisterObject(PayloadObject<GameObject>(message));
}

void AIController::HandleAIMessage(const BaseMessage& message)
{
    if (message.name == MessageNames::RefindEdge)
        RefindEdges();
    else if (message.name == MessageNames::GeneratePath)
        pathsWanted_ = true;
    else if (message.name == MessageNames::GetWaypointFromPosition)
    {
        const auto* question = PayloadOf<std::pair<Vector3, GameObject*>>(message);
        Waypoint* asking = question ? WaypointOf(question->second) : nullptr;
        // Nor one destroyed before it asked: its "Destroy" has passed, so it would be kept past its freeing.
        if (!asking || question->second->IsDestroyed())
            return;
        asking->SetNearest(NearestWaypoint(question->first));
        askers_.insert(question->second);
    }
}
