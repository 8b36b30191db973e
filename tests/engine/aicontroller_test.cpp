#include "aicontroller.h"
#include "system.h"
#include "waypointworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <memory>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
constexpr float kUnreached = std::numeric_limits<float>::max();

class AIControllerTest : public WaypointWorld
{
protected:
    // Stored ids only, as a loaded level has them: the AI system resolves them into edges.
    void LeadTo(Waypoint& from, const std::vector<Waypoint*>& targets)
    {
        std::vector<std::uint64_t> ids;
        for (const Waypoint* target : targets)
            ids.push_back(target->GetUniqueID());
        Load(from, WaypointText(from.GetUniqueID(), ids));
    }
};
} // namespace

TEST_F(AIControllerTest, IsTheAISystem)
{
    EXPECT_EQ(ai.GetId(), SystemId::AI);
    EXPECT_EQ(ai.GetName(), "AIController");
    EXPECT_EQ(SystemNameMap()[SystemId::AI], "AI");
}

TEST_F(AIControllerTest, ShortestPathsFollowDirectedEdgesAndKeepTheFirstOfEqualLength)
{
    for (const bool shortcut : {true, false})
    {
        AIController fresh;
        Waypoint& p = Place("P", {0, 0, 0});
        Waypoint& q = Place("Q", {1, 0, 0});
        Waypoint& r = Place("R", {2, 0, 0});
        LeadTo(p, shortcut ? std::vector<Waypoint*>{&q, &r} : std::vector<Waypoint*>{&q});
        LeadTo(q, {&r});
        for (Waypoint* waypoint : {&p, &q, &r})
            fresh.RegisterObject(waypoint->GetGameObject(false));
        fresh.Update();

        if (shortcut)
            EXPECT_THAT(p.GetPath(r.GetUniqueID()), ElementsAre(&p, &r));
        else
            EXPECT_THAT(p.GetPath(r.GetUniqueID()), ElementsAre(&p, &q, &r));
        EXPECT_FLOAT_EQ(p.Paths().DistanceTo(r.GetUniqueID()), 2.0f);
        EXPECT_FLOAT_EQ(p.Paths().DistanceTo(p.GetUniqueID()), 0.0f);
        // Edges lead one way only.
        EXPECT_THAT(r.GetPath(p.GetUniqueID()), ElementsAre(&r));
        EXPECT_EQ(r.Paths().DistanceTo(p.GetUniqueID()), kUnreached);
        EXPECT_EQ(q.Paths().DistanceTo(p.GetUniqueID()), kUnreached);
    }
}

TEST_F(AIControllerTest, EqualPathsGoThroughTheLowerUniqueIdWhateverTheOrder)
{
    // Two ways of equal length from S to T, through A (id 30) and through B (id 20).
    for (const bool aFirst : {true, false})
    {
        AIController fresh;
        Waypoint& s = Place("S", {0, 0, 0}, 10);
        Waypoint& a = Place("A", {1, 1, 0}, 30);
        Waypoint& b = Place("B", {1, -1, 0}, 20);
        Waypoint& t = Place("T", {2, 0, 0}, 40);
        LeadTo(s, aFirst ? std::vector<Waypoint*>{&a, &b} : std::vector<Waypoint*>{&b, &a});
        LeadTo(a, {&t});
        LeadTo(b, {&t});
        const auto order = aFirst ? std::vector<Waypoint*>{&s, &a, &b, &t} : std::vector<Waypoint*>{&t, &b, &a, &s};
        for (Waypoint* waypoint : order)
            fresh.RegisterObject(waypoint->GetGameObject(false));
        fresh.Update();
        EXPECT_THAT(s.GetPath(40), ElementsAre(&s, &b, &t)) << aFirst;
    }
}

TEST_F(AIControllerTest, ALongChainHasItsPathsWithoutAListPerPair)
{
    // Lists of every path of a 1,500-waypoint chain would hold over a billion entries.
    constexpr int kLength = 1500;
    std::vector<Waypoint*> chain;
    for (int n = 0; n < kLength; ++n)
        chain.push_back(&Node("Link", {static_cast<float>(n), 0, 0}));
    for (int n = 0; n + 1 < kLength; ++n)
        chain[n]->LinkTo(*chain[n + 1]);
    ai.GeneratePaths();
    const auto path = chain.front()->GetPath(chain.back()->GetUniqueID());
    ASSERT_EQ(path.size(), static_cast<std::size_t>(kLength));
    EXPECT_EQ(path[1], chain[1]);
    EXPECT_EQ(path.back(), chain.back());
    EXPECT_FLOAT_EQ(chain.front()->Paths().DistanceTo(chain.back()->GetUniqueID()), kLength - 1.0f);
    EXPECT_THAT(chain.back()->GetPath(chain.front()->GetUniqueID()), ElementsAre(chain.back()));
}

TEST_F(AIControllerTest, AnIdTwoWaypointsShareLeadsToTheLastListedOneThatIsReached)
{
    Waypoint& p = Node("P", {0, 0, 0}, 10);
    Waypoint& reached = Node("Reached", {1, 0, 0}, 20);
    Node("Unreached", {3, 0, 0}, 20);
    p.LinkTo(reached);
    ai.GeneratePaths();
    EXPECT_THAT(p.GetPath(20), ElementsAre(&p, &reached));
    // The distance is the last listed one's, reached or not.
    EXPECT_EQ(p.Paths().DistanceTo(20), kUnreached);
    EXPECT_EQ(p.Paths().Count(), 2u);
}

TEST_F(AIControllerTest, EdgesAreRebuiltFromTheStoredIdsOfRegisteredWaypointsOnly)
{
    Waypoint& p = Node("P", {0, 0, 0});
    Waypoint& q = Node("Q", {3, 4, 0});
    Waypoint& unregistered = Place("Elsewhere", {1, 0, 0});
    LeadTo(p, {&q, &unregistered});
    LeadTo(q, {&unregistered});
    ai.Update();
    ASSERT_EQ(p.GetEdges().size(), 1u);
    EXPECT_FLOAT_EQ(p.GetEdges()[0].weight, 5.0f);
    EXPECT_TRUE(q.GetEdges().empty());
    EXPECT_THAT(q.GetPath(p.GetUniqueID()), ElementsAre(&q));
    EXPECT_EQ(q.Paths().Count(), 1u);

    // Asked again, the same edges and the same paths.
    for (int round = 0; round < 2; ++round)
        p.RefindEdge();
    messaging.Update();
    ai.Update();
    EXPECT_EQ(p.GetEdges().size(), 1u);
    EXPECT_THAT(p.GetPath(q.GetUniqueID()), ElementsAre(&p, &q));
}

TEST_F(AIControllerTest, TheFirstUpdateMakesThePathsOnceAndAsksForNoMore)
{
    Waypoint& p = Node("P", {0, 0, 0});
    Waypoint& q = Node("Q", {1, 0, 0});
    LeadTo(p, {&q});
    LeadTo(q, {&p});
    ai.Update();
    EXPECT_THAT(p.GetPath(q.GetUniqueID()), ElementsAre(&p, &q));
    EXPECT_EQ(messaging.QueuedCount(), 0u) << "the paths made would be made again next frame";
}

TEST_F(AIControllerTest, AWaypointRegisteredLaterWaitsForTheRequests)
{
    Waypoint& p = Node("P", {0, 0, 0});
    ai.Update();
    Waypoint& late = Node("Late", {1, 0, 0});
    LeadTo(p, {&late});
    ai.Update();
    EXPECT_TRUE(p.GetEdges().empty());
    EXPECT_TRUE(late.GetPath(late.GetUniqueID()).empty());

    p.RefindEdge();
    messaging.Update(); // the edges are found and ask for paths, which are made once, in the update
    EXPECT_EQ(p.GetEdges().size(), 1u);
    EXPECT_TRUE(p.GetPath(late.GetUniqueID()).empty());
    ai.Update();
    EXPECT_THAT(p.GetPath(late.GetUniqueID()), ElementsAre(&p, &late));
    EXPECT_THAT(late.GetPath(late.GetUniqueID()), ElementsAre(&late));
}

TEST_F(AIControllerTest, NearestIsNullWithoutWaypointsAndTheEarlierRegisteredOnATie)
{
    EXPECT_EQ(ai.NearestWaypoint({0, 0, 0}), nullptr);
    Waypoint& first = Node("First", {-1, 0, 0});
    Node("Second", {1, 0, 0});
    Waypoint& third = Node("Third", {5, 0, 0});
    EXPECT_EQ(ai.NearestWaypoint({0, 0, 0}), &first);
    EXPECT_EQ(ai.NearestWaypoint({4, 0, 0}), &third);
}

TEST_F(AIControllerTest, RegistersOnlyObjectsWithAWaypointOnceAndForgetsDestroyedOnes)
{
    Waypoint& p = Node("P", {0, 0, 0});
    GameObject& plain = objects.Live("Plain", 77);
    ai.RegisterObject(p.GetGameObject(false));
    ai.RegisterObject(&plain);
    testing::internal::CaptureStderr();
    ai.RegisterObject(nullptr);
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("AI System registering nullptr"));
    EXPECT_THAT(ai.GetWaypointObjects(), ElementsAre(p.GetGameObject(false)));

    // An object sharing P's UniqueID is not P.
    Waypoint& twin = Node("Twin", {1, 0, 0}, p.GetUniqueID());
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, twin.GetGameObject(false));
    messaging.Update();
    EXPECT_THAT(ai.GetWaypointObjects(), ElementsAre(p.GetGameObject(false)));

    // Destroyed by a script woken while it was loaded, before its "Register" was sent.
    Waypoint& gone = Place("Gone", {2, 0, 0});
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, gone.GetGameObject(false));
    gone.GetGameObject(false)->SetPlace(ObjectPlace::DestroyQueue);
    PostMessage(SystemId::None, SystemId::All, MessageNames::Register, gone.GetGameObject(false));
    messaging.Update();
    EXPECT_THAT(ai.GetWaypointObjects(), ElementsAre(p.GetGameObject(false)));
    ai.Init();
    EXPECT_TRUE(ai.GetWaypointObjects().empty());
}

TEST_F(AIControllerTest, ADestroyedWaypointIsNeverReadAgain)
{
    Waypoint& p = Node("P", {0, 0, 0});
    Waypoint& middle = Node("Middle", {1, 0, 0});
    Waypoint& r = Node("R", {2, 0, 0});
    LeadTo(p, {&middle});
    LeadTo(middle, {&r});
    ai.Update();
    ASSERT_THAT(p.GetPath(r.GetUniqueID()), ElementsAre(&p, &middle, &r));
    Waypoint& asking = Place("Asking", {1, 0, 0});
    asking.GetWaypointFromPosition({1, 0, 0});
    messaging.Update();
    ASSERT_EQ(asking.GetWaypointFromPosition({1, 0, 0}), &middle);
    messaging.Update();

    const std::uint64_t middleId = middle.GetUniqueID();
    GameObject* leaving = middle.GetGameObject(false);
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, leaving);
    p.GeneratePath();
    messaging.Update();
    std::erase_if(objects.live, [&](const auto& object) { return object.get() == leaving; }); // freed

    ai.Update();
    ai.GeneratePaths();
    EXPECT_TRUE(p.GetEdges().empty());
    EXPECT_THAT(p.GetPath(r.GetUniqueID()), ElementsAre(&p));
    EXPECT_FALSE(p.Paths().Contains(middleId));
    EXPECT_EQ(asking.GetWaypointFromPosition({1, 0, 0}), nullptr);
}

TEST_F(AIControllerTest, AQuestionAskedAfterTheAskerWasDestroyedIsNotKept)
{
    Waypoint& p = Node("P", {0, 0, 0});
    Waypoint& asking = Place("Asking", {1, 0, 0});
    GameObject* leaving = asking.GetGameObject(false);
    // A script destroys the object and then asks for it: the question comes after the "Destroy".
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, leaving);
    leaving->SetPlace(ObjectPlace::DestroyQueue);
    asking.GetWaypointFromPosition({0, 0, 0});
    messaging.Update();
    std::erase_if(objects.live, [&](const auto& object) { return object.get() == leaving; }); // freed

    // Another waypoint going makes the AI system look at the objects that asked.
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, p.GetGameObject(false));
    messaging.Update();
    EXPECT_TRUE(ai.GetWaypointObjects().empty());
}
