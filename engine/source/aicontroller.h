#pragma once
#include "objectset.h"
#include "system.h"

#include <unordered_set>
#include <vector>

class Waypoint;
struct Vector3;

// Keeps the navigation graph: every registered object with a Waypoint is a node, each waypoint's stored ids
// name the waypoints it leads to, and every waypoint knows its shortest path to every other one.
class AIController : public System
{
public:
    AIController();

    void Init() override;
    // The first update builds the graph. Paths asked for during the frame's delivery are made here, once.
    void Update() override;
    void RegisterObject(GameObject* object) override;
    // Answers to position queries that named it are taken back; the paths are made anew in the next update
    // when any led to it, dropping the edges to it.
    void UnregisterObject(GameObject* object) override;
    std::string GetName() const override { return "AIController"; }
    void HandleMessage(const BaseMessage& message) override;

    // Rebuilds every waypoint's edges from its stored ids, to the registered waypoints; the paths follow in
    // the next update, without a message.
    void RefindEdges();
    // Every waypoint's shortest distances and paths to all the others. Edges to waypoints no longer
    // registered are dropped first.
    void GeneratePaths();
    // The registered waypoint nearest to the position, the earlier registered one on a tie; null for none.
    Waypoint* NearestWaypoint(const Vector3& position);

    // In registration order.
    const ObjectSet& GetWaypointObjects() const { return waypointObjects_; }

private:
    // The waypoints of the registered objects, in order; objects that have lost theirs leave the list.
    std::vector<Waypoint*> ListedWaypoints();
    void HandleAIMessage(const BaseMessage& message);

    bool pathsBuilt_ = false;
    // Asked for by messages and served by the next update, however many asked.
    bool pathsWanted_ = false;
    ObjectSet waypointObjects_;
    // Objects whose Waypoint holds an answer to a position query; answers naming a waypoint that goes are
    // taken back.
    std::unordered_set<GameObject*> askers_;
};
