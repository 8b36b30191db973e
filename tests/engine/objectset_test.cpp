#include "gameobject.h"
#include "objectset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace
{
class ObjectSetTest : public ::testing::Test
{
public:
    ObjectSetTest()
    {
        for (int i = 0; i < 6; ++i)
            objects_.push_back(std::make_unique<GameObject>(std::string(1, char('A' + i)), i + 1));
    }

    GameObject* operator[](int index) const { return objects_[index].get(); }
    // The first count objects, added in order.
    void AddFirst(int count)
    {
        for (int i = 0; i < count; ++i)
            set_.Add((*this)[i]);
    }
    std::vector<GameObject*> Letters(const std::string& letters) const
    {
        std::vector<GameObject*> picked;
        for (const char letter : letters)
            picked.push_back((*this)[letter - 'A']);
        return picked;
    }

    std::vector<std::unique_ptr<GameObject>> objects_;
    ObjectSet set_;
};

TEST_F(ObjectSetTest, KeepsTheOrderOfAddingThroughRemovalsAndHoldsEachObjectOnce)
{
    GameObject* a = (*this)[0];
    GameObject* b = (*this)[1];
    GameObject* c = (*this)[2];
    GameObject* d = (*this)[3];
    for (GameObject* object : {a, b, c, d})
        EXPECT_TRUE(set_.Add(object));
    EXPECT_FALSE(set_.Add(a));
    EXPECT_TRUE(set_.Remove(b));
    EXPECT_FALSE(set_.Remove(b));
    EXPECT_FALSE(set_.Contains(b));
    EXPECT_EQ(set_.size(), 3u);
    // Removed and added again, an object goes to the back.
    EXPECT_TRUE(set_.Add(b));
    EXPECT_THAT(set_, ElementsAre(a, c, d, b));
    set_.Remove(a);
    set_.RemoveIf([&](const GameObject* object) { return object == d; });
    EXPECT_THAT(set_, ElementsAre(c, b));
    EXPECT_EQ(set_.front(), c);
    EXPECT_EQ(set_.back(), b);
    EXPECT_EQ(std::vector<GameObject*>(set_.begin(), set_.end()), set_.Objects());
    EXPECT_TRUE(set_.Remove(c));
    EXPECT_THAT(set_, ElementsAre(b));
    set_.Clear();
    EXPECT_THAT(set_, IsEmpty());
    EXPECT_EQ(set_.front(), nullptr);
    EXPECT_EQ(set_.back(), nullptr);
}

TEST_F(ObjectSetTest, OrdersByLastAddingOrMovingToTheEnd)
{
    AddFirst(3);
    EXPECT_LT(set_.OrderOf((*this)[0]), set_.OrderOf((*this)[1]));
    EXPECT_LT(set_.OrderOf((*this)[1]), set_.OrderOf((*this)[2]));
    set_.MoveToEnd((*this)[0]);
    EXPECT_GT(set_.OrderOf((*this)[0]), set_.OrderOf((*this)[2]));
    EXPECT_THAT(set_, ElementsAreArray(Letters("BCA")));
    EXPECT_EQ(set_.back(), (*this)[0]);

    // Nothing for one not here: it is neither ordered nor added.
    set_.MoveToEnd((*this)[3]);
    EXPECT_EQ(set_.OrderOf((*this)[3]), 0u);
    EXPECT_FALSE(set_.Contains((*this)[3]));
    set_.Remove((*this)[1]);
    EXPECT_EQ(set_.OrderOf((*this)[1]), 0u);
    // Order survives a clear: one added after it still counts as later than any before.
    const auto before = set_.OrderOf((*this)[0]);
    set_.Clear();
    set_.Add((*this)[4]);
    EXPECT_GT(set_.OrderOf((*this)[4]), before);
}

TEST_F(ObjectSetTest, ClosingHolesKeepsEveryObjectFindable)
{
    AddFirst(6);
    // Four of six out: more holes than objects, so they are closed and the rest renumbered.
    for (const char letter : std::string("ACDE"))
        set_.Remove((*this)[letter - 'A']);
    EXPECT_THAT(set_, ElementsAreArray(Letters("BF")));
    set_.MoveToEnd((*this)[1]);
    EXPECT_TRUE(set_.Remove((*this)[5]));
    set_.Add((*this)[0]);
    EXPECT_THAT(set_, ElementsAreArray(Letters("BA")));
    EXPECT_TRUE(set_.Remove((*this)[1]));
    EXPECT_THAT(set_, ElementsAreArray(Letters("A")));
    EXPECT_EQ(set_.front(), (*this)[0]);
}

// What a walk meets when its step at one object changes the set.
struct WalkCase
{
    const char* name;
    char at;
    std::function<void(ObjectSet&, const ObjectSetTest&)> change;
    const char* met;
};

void PrintTo(const WalkCase& walk, std::ostream* out)
{
    *out << walk.name;
}

class ObjectSetWalk : public ObjectSetTest, public ::testing::WithParamInterface<WalkCase>
{
};

TEST_P(ObjectSetWalk, MeetsAddedObjectsAndSkipsRemovedOnes)
{
    const WalkCase& walk = GetParam();
    AddFirst(5);
    std::string met;
    bool changed = false;
    for (GameObject* object : set_)
    {
        met += object->GetName();
        if (object->GetName()[0] == walk.at && !std::exchange(changed, true))
            walk.change(set_, *this);
    }
    EXPECT_EQ(met, walk.met);
    // Whatever the walk left, the set reads the same afterwards.
    std::string left;
    for (GameObject* object : set_.Objects())
        left += object->GetName();
    std::string expected;
    for (const auto& object : objects_)
        if (set_.Contains(object.get()))
            expected += object->GetName();
    std::ranges::sort(left);
    EXPECT_EQ(left, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ObjectSetWalk,
    ::testing::Values(
        WalkCase{"AddedAreMet", 'A', [](ObjectSet& s, const ObjectSetTest& t) { s.Add(t[5]); }, "ABCDEF"},
        WalkCase{"RemovedAheadAreSkipped", 'A', [](ObjectSet& s, const ObjectSetTest& t) { s.Remove(t[2]); },
                 "ABDE"},
        // Closing these holes now would shift D and E under the walk.
        WalkCase{"ManyRemovedBehind", 'C',
                 [](ObjectSet& s, const ObjectSetTest& t) {
                     for (int i : {0, 1, 2})
                         s.Remove(t[i]);
                 },
                 "ABCDE"},
        WalkCase{"AWalkWithinEndsWithoutClosingHoles", 'C',
                 [](ObjectSet& s, const ObjectSetTest& t) {
                     for (int i : {0, 1, 2})
                         s.Remove(t[i]);
                     s.RemoveIf([](GameObject*) { return false; });
                 },
                 "ABCDE"},
        WalkCase{"MovedToTheEndIsMetAgain", 'A', [](ObjectSet& s, const ObjectSetTest& t) { s.MoveToEnd(t[0]); },
                 "ABCDEA"},
        WalkCase{"LastRemovedThenAddedIsMet", 'E',
                 [](ObjectSet& s, const ObjectSetTest& t) {
                     s.Remove(t[4]);
                     s.Add(t[5]);
                 },
                 "ABCDEF"},
        WalkCase{"ClearedThenAddedIsMet", 'B',
                 [](ObjectSet& s, const ObjectSetTest& t) {
                     s.Clear();
                     s.Add(t[5]);
                 },
                 "ABF"}),
    [](const ::testing::TestParamInfo<WalkCase>& info) { return std::string(info.param.name); });

TEST_F(ObjectSetTest, RemoveIfMeetsWhatItsTestAdds)
{
    AddFirst(3);
    std::string tested;
    set_.RemoveIf([&](GameObject* object) {
        tested += object->GetName();
        if (object == (*this)[0])
            set_.Add((*this)[3]);
        return object == (*this)[0] || object == (*this)[3];
    });
    EXPECT_EQ(tested, "ABCD");
    EXPECT_THAT(set_, ElementsAreArray(Letters("BC")));
}
}
