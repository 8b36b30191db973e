#pragma once
#include "TorvaneMath.h"

#include <cstdint>
#include <vector>

class GameObjectInterface;
class WaypointInterface;

// A one-way link between two waypoints, weighted by the distance between their objects when it was made.
struct WaypointEdge
{
    WaypointInterface* target = nullptr;
    WaypointInterface* source = nullptr;
    std::uint64_t targetId = 0;
    float weight = 0.0f;
};

// A waypoint as scripts see it: a node of the navigation graph that the AI system keeps. Requests that need
// the whole graph are queued for the AI system and answered at the next message delivery.
class WaypointInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    // Leads this waypoint to the other one (again, if it already did) and asks for the paths anew. A null
    // waypoint is reported and changes nothing.
    virtual void AddEdge(WaypointInterface* target) = 0;
    virtual std::vector<WaypointEdge> GetEdges() const = 0;
    virtual const std::uint64_t& GetUniqueID() const = 0;
    // The shortest path to the waypoint with that id, both ends included; without one, the path to this
    // waypoint alone; before any paths were made, empty.
    virtual std::vector<WaypointInterface*> GetPath(std::uint64_t targetId) const = 0;
    // Queue a rebuild of the edges from the stored ids, or of the paths.
    virtual void RefindEdge() = 0;
    virtual void GeneratePath() = 0;
    // Asks for the waypoint nearest to the position and returns the answer to the previous question (null
    // before the first answer, or when there was no waypoint).
    virtual WaypointInterface* GetWaypointFromPosition(const Vector3& position) = 0;

protected:
    ~WaypointInterface() = default;
};
