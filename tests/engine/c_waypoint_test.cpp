#include "c_waypoint.h"
#include "componentregistry.h"
#include "waypointworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
std::string Saved(const Waypoint& waypoint, const Component* prefab = nullptr)
{
    return XmlText().Written([&](XMLWriter& writer) { waypoint.Serialize(writer, prefab); });
}

// Name, receiver and sender of every queued message, oldest first; the queue is emptied.
std::vector<std::string> TakeQueued(MessagingSystem& messaging)
{
    std::vector<std::string> taken;
    while (messaging.QueuedCount() > 0)
    {
        const auto message = messaging.PopMessage();
        taken.push_back(std::string(message->name.View()) + " to " + std::to_string(int(message->receiver)) +
                        " from " + std::to_string(int(message->sender)));
    }
    return taken;
}

class WaypointTest : public WaypointWorld
{
};
} // namespace

TEST_F(WaypointTest, IsRegisteredWithAFreshUniqueIdAndClonesTakeAnother)
{
    const auto created = ComponentCreators().at("Waypoint")();
    const auto& fresh = dynamic_cast<const Waypoint&>(*created);
    EXPECT_EQ(fresh.GetKind(), CompEnum::Waypoint);
    EXPECT_EQ(fresh.GetName(), "Waypoint");
    EXPECT_NE(fresh.GetUniqueID(), Waypoint().GetUniqueID());
    EXPECT_GT(fresh.GetUniqueID() >> 32, 0u); // time and random bits: more than 32 bits

    Waypoint& source = Place("Source", {0, 0, 0}, 7);
    Waypoint& neighbour = Place("Neighbour", {1, 0, 0}, 8);
    source.AddEdge(&neighbour);
    // The answer to a position query was asked for the source; nothing would clear it for a copy.
    source.SetNearest(&neighbour);
    const Waypoint copy(source);
    EXPECT_EQ(copy.GetUniqueID(), 7u);
    EXPECT_EQ(copy.GetNearest(), nullptr);
    EXPECT_EQ(dynamic_cast<const Waypoint&>(*source.Clone()).GetNearest(), nullptr);
    const auto clone = source.Clone();
    const auto& cloned = dynamic_cast<const Waypoint&>(*clone);
    EXPECT_NE(cloned.GetUniqueID(), 7u);
    EXPECT_EQ(cloned.GetEdgeIds(), std::vector<std::uint64_t>{8});
    // Its edges are its own: they must not lead back to a source that may be freed first.
    ASSERT_EQ(cloned.GetEdges().size(), 1u);
    EXPECT_EQ(cloned.GetEdges()[0].source, &cloned);
    EXPECT_TRUE(cloned.Compare(source));
    EXPECT_FALSE(cloned.Compare(Waypoint()));
}

TEST_F(WaypointTest, SavesEveryEdgeIdAndReadsThemAllBack)
{
    Waypoint& waypoint = Place("Hub", {0, 0, 0}, 100);
    std::vector<std::uint64_t> ids;
    for (std::uint64_t id = 200; id < 212; ++id)
    {
        waypoint.AddEdge(&Place("Spoke", {1, 0, 0}, id));
        ids.push_back(id);
    }
    const std::string saved = Saved(waypoint);
    EXPECT_EQ(saved, WaypointText(100, ids)); // no "Enabled" without a prefab

    Waypoint loaded;
    Load(loaded, saved);
    EXPECT_EQ(loaded.GetUniqueID(), 100u);
    EXPECT_EQ(loaded.GetEdgeIds(), waypoint.GetEdgeIds());
    EXPECT_TRUE(loaded.IsEnabled());
    EXPECT_TRUE(loaded.GetEdges().empty()); // the AI system resolves them

    Waypoint prefab;
    loaded.SetEnabled(false);
    EXPECT_THAT(Saved(loaded, &prefab), HasSubstr("\t<Enabled>false</Enabled>\n\t<UniqueID>100</UniqueID>\n"));
    EXPECT_THAT(Saved(waypoint, &prefab), ::testing::Not(HasSubstr("Enabled")));
}

TEST_F(WaypointTest, ABadEdgeIdIsReportedAndSkipped)
{
    Waypoint waypoint;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Load(waypoint, "<Waypoint>\n\t<Enabled>false</Enabled>\n\t<Edge0>12</Edge0>\n\t<Edge1>twelve</Edge1>\n"
                   "\t<Edge2>99999999999999999999</Edge2>\n\t<EdgeX>5</EdgeX>\n\t<Edge3>13</Edge3>\n</Waypoint>\n");
    const std::string reports = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
    EXPECT_THAT(reports, HasSubstr("twelve"));
    EXPECT_THAT(reports, HasSubstr("99999999999999999999"));
    EXPECT_EQ(waypoint.GetEdgeIds(), (std::vector<std::uint64_t>{12, 13}));
    EXPECT_FALSE(waypoint.IsEnabled());
}

TEST_F(WaypointTest, AddingAnEdgeWeighsItByDistanceAndAsksForPaths)
{
    Waypoint& from = Place("From", {1, 1, 1}, 1);
    Waypoint& to = Place("To", {4, 5, 1}, 2);
    from.AddEdge(&to);
    from.AddEdge(&to); // a second edge, but the id is stored once
    ASSERT_EQ(from.GetEdges().size(), 2u);
    const WaypointEdge edge = from.GetEdges()[0];
    EXPECT_EQ(edge.target, &to);
    EXPECT_EQ(edge.source, &from);
    EXPECT_EQ(edge.targetId, 2u);
    EXPECT_FLOAT_EQ(edge.weight, 5.0f);
    EXPECT_EQ(from.GetEdgeIds(), std::vector<std::uint64_t>{2});
    EXPECT_THAT(TakeQueued(messaging), ElementsAre("GeneratePath to 11 from 0", "GeneratePath to 11 from 0"));

    testing::internal::CaptureStderr();
    from.AddEdge(nullptr);
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("Waypoint edge adding a nullptr"));
    EXPECT_EQ(from.GetEdges().size(), 2u);
    EXPECT_TRUE(TakeQueued(messaging).empty());

    from.RefindEdge();
    from.GeneratePath();
    EXPECT_THAT(TakeQueued(messaging), ElementsAre("RefindEdge to 11 from 0", "GeneratePath to 11 from 0"));
}

TEST_F(WaypointTest, APathIsEmptyUntilPathsAreMadeThenFallsBackToItself)
{
    Waypoint& here = Node("Here", {0, 0, 0});
    EXPECT_TRUE(here.GetPath(12345).empty());
    ai.Update();
    EXPECT_THAT(here.GetPath(12345), ElementsAre(&here));
    EXPECT_THAT(here.GetPath(here.GetUniqueID()), ElementsAre(&here));
}

TEST_F(WaypointTest, ThePositionQueryIsAnsweredAtTheNextDelivery)
{
    Waypoint& near = Node("Near", {1, 0, 0});
    Node("Far", {9, 0, 0});
    Waypoint& asking = Place("Asking", {0, 0, 0});
    EXPECT_EQ(asking.GetWaypointFromPosition({0, 0, 0}), nullptr);
    EXPECT_EQ(asking.GetWaypointFromPosition({0, 0, 0}), nullptr); // still the old answer
    messaging.Update();
    EXPECT_EQ(asking.GetWaypointFromPosition({10, 0, 0}), &near);
    messaging.Update();
    EXPECT_NE(asking.GetWaypointFromPosition({0, 0, 0}), &near);
}
