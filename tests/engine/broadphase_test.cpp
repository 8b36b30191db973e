#include "broadphase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace
{
BroadPhaseEntry Entry(Vector3 centre, float radius, bool isStatic = false, int shape = 1)
{
    BroadPhaseEntry entry;
    entry.centre = centre;
    entry.boundingRadius = radius;
    entry.isStatic = isStatic;
    entry.shape = shape;
    return entry;
}

// The grouping walked pair by pair, as the groups are defined: a pair whose spheres miss (a NaN misses too)
// gives each entry still without a group one of its own; a pair whose spheres overlap joins them,
// renumbering a whole group.
std::vector<int> GroupNumbersPairByPair(const std::vector<BroadPhaseEntry>& entries)
{
    std::vector<int> group(entries.size(), -1);
    int next = 0;
    for (std::size_t i = 0; i < entries.size(); ++i)
        for (std::size_t j = i + 1; j < entries.size(); ++j)
        {
            if (entries[i].isStatic && entries[j].isStatic)
                continue;
            const float reach = entries[i].boundingRadius + entries[j].boundingRadius;
            if (!(reach * reach > (entries[i].centre - entries[j].centre).LengthSquared()))
            {
                if (group[i] == -1)
                    group[i] = next++;
                if (group[j] == -1)
                    group[j] = next++;
            }
            else if (group[i] == -1 && group[j] == -1)
                group[i] = group[j] = next++;
            else if (group[i] == -1)
                group[i] = group[j];
            else if (group[j] == -1)
                group[j] = group[i];
            else if (group[i] != group[j])
            {
                const int old = group[j];
                for (int& g : group)
                    if (g == old)
                        g = group[i];
            }
        }
    return group;
}

// Groups as sets of entry indices, so that two numberings of the same grouping compare equal.
std::set<std::set<std::size_t>> Partition(const std::vector<int>& numbers)
{
    std::map<int, std::set<std::size_t>> byNumber;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (numbers[i] >= 0)
            byNumber[numbers[i]].insert(i);
    std::set<std::set<std::size_t>> groups;
    for (const auto& [number, members] : byNumber)
        groups.insert(members);
    return groups;
}

std::set<std::set<std::size_t>> Partition(const std::vector<std::vector<std::size_t>>& groups)
{
    std::set<std::set<std::size_t>> sets;
    for (const auto& group : groups)
        sets.emplace(group.begin(), group.end());
    return sets;
}
} // namespace

TEST(BroadPhaseTest, SpheresApartFormGroupsOfOneAndOverlappingSpheresShareOne)
{
    // Radius-0.5 spheres at rest: 2.0 apart they miss, 0.9 apart they overlap.
    for (const auto& [gap, expected] : {std::pair{2.0f, 2u}, std::pair{0.9f, 1u}})
    {
        std::vector entries{Entry({0, 0, 0}, 0.5f), Entry({gap, 0, 0}, 0.5f)};
        EXPECT_EQ(GroupEntries(entries).size(), expected) << gap;
        EXPECT_GE(entries[0].group, 0);
        EXPECT_GE(entries[1].group, 0);
    }
}

TEST(BroadPhaseTest, NothingIsGroupedWithoutTwoEntriesOfWhichOneMoves)
{
    std::vector lone{Entry({0, 0, 0}, 1.0f)};
    EXPECT_TRUE(GroupEntries(lone).empty());
    EXPECT_EQ(lone[0].group, -1);

    std::vector statics{Entry({0, 0, 0}, 1.0f, true), Entry({0.5f, 0, 0}, 1.0f, true)};
    EXPECT_TRUE(GroupEntries(statics).empty());
    EXPECT_EQ(statics[1].group, -1);
}

TEST(BroadPhaseTest, TwoStaticBodiesJoinOnlyThroughAMovingOneThatMeetsBoth)
{
    std::vector entries{Entry({0, 0, 0}, 1.0f, true), Entry({1, 0, 0}, 1.0f, true), Entry({9, 0, 0}, 0.5f)};
    EXPECT_EQ(GroupEntries(entries).size(), 3u);

    entries[2].centre = {0.5f, 1.0f, 0.0f};
    EXPECT_EQ(GroupEntries(entries).size(), 1u);
}

TEST(BroadPhaseTest, AGroupListsItsEntriesByShapeThenInEntryOrder)
{
    std::vector entries{Entry({0, 0, 0}, 1.0f, false, 2), Entry({0.1f, 0, 0}, 1.0f, false, 1),
                        Entry({0.2f, 0, 0}, 1.0f, true, 0), Entry({0.3f, 0, 0}, 1.0f, false, 1)};
    const auto groups = GroupEntries(entries);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0], (std::vector<std::size_t>{2, 1, 3, 0}));
}

TEST(BroadPhaseTest, GroupsAreThoseOfThePairByPairWalkForScatteredScenes)
{
    // Crowds, loners, a floor that holds everything, odd radii (negative, NaN) that files can bring; flat
    // scenes and rows, turned so that each axis in turn is the one they spread along.
    std::mt19937 random(16);
    std::uniform_real_distribution<float> place(-20.0f, 20.0f);
    std::uniform_real_distribution<float> size(0.0f, 3.0f);
    for (int scene = 0; scene < 600; ++scene)
    {
        std::vector<BroadPhaseEntry> entries;
        const int count = 2 + scene % 40;
        const unsigned along = scene % 3;
        const float across = scene % 2 == 0 ? 0.1f : 0.01f;
        for (int i = 0; i < count; ++i)
        {
            Vector3 centre{place(random) * across, place(random) * across, place(random) * across};
            centre[along] *= 1.0f / across;
            if (scene % 2 == 0)
                centre[(along + 1) % 3] *= 1.0f / across;
            entries.push_back(Entry(centre, size(random), random() % 4 == 0));
        }
        if (scene % 3 == 0)
            entries[random() % count].boundingRadius = 40.0f;
        if (scene % 7 == 0)
            entries[random() % count].boundingRadius = -size(random);
        if (scene % 11 == 0)
            entries[random() % count].centre[random() % 3] = std::numeric_limits<float>::quiet_NaN();

        const auto expected = GroupNumbersPairByPair(entries);
        const auto groups = GroupEntries(entries);
        EXPECT_EQ(Partition(groups), Partition(expected)) << "scene " << scene;
        for (std::size_t i = 0; i < entries.size(); ++i)
            EXPECT_EQ(entries[i].group == -1, expected[i] == -1) << "scene " << scene << " entry " << i;
    }
}
