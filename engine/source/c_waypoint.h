#pragma once
#include "component.h"
#include "waypointinterface.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// Makes its object a node of the AI system's navigation graph: the ids of the waypoints it leads to, the
// edges the AI system resolves from them, and the shortest distances and paths it computes from here.
class Waypoint : public ComponentBase<WaypointInterface>
{
public:
    using Path = std::vector<WaypointInterface*>;

    // Under a fresh UniqueID, drawn like object ids.
    Waypoint();
    // Every field, the UniqueID included, except the answer to a position query: that was asked for the
    // source, and nothing would ever clear it for the copy.
    Waypoint(const Waypoint& source);
    Waypoint& operator=(const Waypoint&) = delete;

    // Always the whole element: "Enabled" only where it differs from the prefab's, the UniqueID, then one
    // "Edge<n>" per stored id.
    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    // Reads every "Edge<n>" child, whatever n. Edges, paths and distances wait for the AI system.
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "Waypoint"; }
    // A copy under a fresh UniqueID: it leads where the source leads, and nothing leads to it.
    std::unique_ptr<Component> Clone() const override;
    // The same stored edge ids, in the same order.
    bool Compare(const Component& other) const override;

    void AddEdge(WaypointInterface* target) override;
    std::vector<WaypointEdge> GetEdges() const override { return edges_; }
    const std::uint64_t& GetUniqueID() const override { return uniqueId_; }
    Path GetPath(std::uint64_t targetId) const override;
    void RefindEdge() override;
    void GeneratePath() override;
    WaypointInterface* GetWaypointFromPosition(const Vector3& position) override;

    // The position of its object's Transform; the origin without one.
    Vector3 GetPosition() const;
    const std::vector<std::uint64_t>& GetEdgeIds() const { return edgeIds_; }
    // The AI system links the edges again.
    void SetEdgeIds(const std::vector<std::uint64_t>& ids);

    // The AI system's side: it resolves the edges, computes the paths and answers position queries.
    // AddEdge without asking for paths, for the AI system, which makes them itself.
    void LinkTo(Waypoint& target);
    std::vector<WaypointEdge>& Edges() { return edges_; }
    std::unordered_map<std::uint64_t, Path>& Paths() { return paths_; }
    std::unordered_map<std::uint64_t, float>& Distances() { return distances_; }
    const Waypoint* GetNearest() const { return nearest_; }
    void SetNearest(Waypoint* nearest) { nearest_ = nearest; }

private:
    std::vector<WaypointEdge> edges_;
    std::vector<std::uint64_t> edgeIds_;
    std::unordered_map<std::uint64_t, Path> paths_;
    std::unordered_map<std::uint64_t, float> distances_;
    std::uint64_t uniqueId_;
    Waypoint* nearest_ = nullptr;
};
