#include "aicontroller.h"

#include "assertion.h"
#include "c_waypoint.h"
#include "gameobject.h"
#include "message.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <queue>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace
{
constexpr float kUnreached = std::numeric_limits<float>::max();

struct Step
{
    std::uint32_t target;
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
            steps[n].push_back({static_cast<std::uint32_t>(index.at(edge.target)), edge.weight});
    }
    return steps;
}

using HeapEntry = std::tuple<float, std::uint64_t, std::uint32_t>;
// Smallest first; its storage is kept from one search to the next.
using Heap = std::priority_queue<HeapEntry, std::vector<HeapEntry>, std::greater<>>;

// Dijkstra from one source over waypoints with these ids; the previous waypoint of each on its shortest
// path. Of equal distances the lower UniqueID is taken first (then the earlier listed), so equal paths come
// out the same every run.
std::vector<std::uint32_t> ShortestPaths(const std::vector<std::uint64_t>& ids,
                                         const std::vector<std::vector<Step>>& steps, std::uint32_t source,
                                         std::vector<float>& distances, Heap& heap)
{
    std::vector<std::uint32_t> previous(ids.size(), PathTable::kNone);
    distances.assign(ids.size(), kUnreached);
    distances[source] = 0.0f;
    heap.emplace(0.0f, ids[source], source);
    while (!heap.empty())
    {
        const float reached = std::get<0>(heap.top());
        const std::uint32_t from = std::get<2>(heap.top());
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
                heap.emplace(through, ids[step.target], step.target);
            }
        }
    }
    return previous;
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
    waypointObjects_.Clear();
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
    if (WaypointOf(object) && !object->IsDestroyed())
        waypointObjects_.Add(object);
}

void AIController::UnregisterObject(GameObject* object)
{
    askers_.erase(object);
    // By the object itself, not its UniqueID, which another object may share: this one is about to be freed.
    if (!waypointObjects_.Remove(object))
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
        if (ledThere || waypoint->Paths().Contains(leaving->GetUniqueID()))
            pathsWanted_ = true;
    }
}

std::vector<Waypoint*> AIController::ListedWaypoints()
{
    waypointObjects_.RemoveIf([](const GameObject* object) { return !WaypointOf(object); });
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
        waypoint->SetPaths({});
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
    std::vector<std::uint64_t> ids;
    for (const Waypoint* waypoint : waypoints)
        ids.push_back(waypoint->GetUniqueID());
    // One table of previous waypoints per source, not a list per path: lists grow with the square of the
    // waypoints times the length of a path.
    const auto graph =
        std::make_shared<const PathGraph>(std::vector<WaypointInterface*>(waypoints.begin(), waypoints.end()), ids);
    Heap heap;
    for (std::uint32_t source = 0; source < waypoints.size(); ++source)
    {
        std::vector<float> distances;
        std::vector<std::uint32_t> previous = ShortestPaths(ids, steps, source, distances, heap);
        waypoints[source]->SetPaths(PathTable(graph, source, std::move(previous), std::move(distances)));
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
