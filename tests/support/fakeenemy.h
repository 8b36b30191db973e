#pragma once
// An enemy as the delivered library never has one: a script that is also an AICharacter, so tests reach the
// writes scripts make through an object's "Elem" script.
//
//   FakeEnemy& enemy = AddFakeEnemy(world.Object("Mummy", "Elem"));
//   enemy.health = 2; ...; enemy.knockbacks
#include "aicharacter.h"
#include "fakeworld.h"
#include "script.h"

#include <memory>
#include <vector>

class FakeEnemy final : public Script<FakeEnemy>, public AICharacter
{
public:
    struct Push
    {
        Vector3 direction;
        float magnitude;
        float duration;
        float damping;
    };

    void Knockback(const Vector3& direction, float magnitude, float duration, float damping) override
    {
        knockbacks.push_back({direction, magnitude, duration, damping});
    }

    std::vector<Push> knockbacks;
};

// Attached as "Elem", the name the scripts look for.
inline FakeEnemy& AddFakeEnemy(FakeObject& object)
{
    return dynamic_cast<FakeEnemy&>(object.SetScript("Elem", std::make_unique<FakeEnemy>()));
}
