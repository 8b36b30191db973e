// The player fixture level played on the engine and the built game library.
#include "levelrunner.h"
#include "vectornear.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
class PlayerLevel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!LevelRunner::CanRun(reason))
            GTEST_SKIP() << reason;
        runner = std::make_unique<LevelRunner>("player", "Player");
    }

    // The record of the contact between the two objects, with the first as the pair's first object; null
    // when they do not touch.
    const CollisionData* Touching(const std::string& first, const std::string& second) const
    {
        for (const CollisionData& record : runner->Physics().TouchingContacts().Records())
            if (record.objectA && record.objectB && record.objectA->GetName() == first &&
                record.objectB->GetName() == second)
                return &record;
        return nullptr;
    }

    std::unique_ptr<LevelRunner> runner;
};

TEST_F(PlayerLevel, ThePlayerDroppedOnTheFloorRestsOnItWithAnUpwardNormal)
{
    const float startHeight = runner->Position("Player").y;
    runner->Frames(40);
    const CollisionData* contact = Touching("Floor", "Player");
    ASSERT_NE(contact, nullptr);
    ExpectNear(contact->normal, {0.0f, 1.0f, 0.0f}, "the floor's normal towards the player", 1e-6f);
    EXPECT_LT(runner->Position("Player").y, startHeight);
    EXPECT_GT(runner->Position("Player").y, 0.5f);
}
} // namespace
