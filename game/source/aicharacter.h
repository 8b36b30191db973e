#pragma once
#include <cstdint>

#include "property.h"
#include "TorvaneMath.h"

// The AI characters that enemy prefabs carry as their "Elem" script. Only declared: nothing in this library
// implements it, so the enemies stay inert. Scripts reach one only through the "Elem" lookup and a
// dynamic_cast, and must skip their writes when either finds nothing.
class AICharacter
{
public:
    virtual ~AICharacter() = default;

    // The reaction to a hit: a unit direction, its magnitude, and two tuning values of the caller.
    virtual void Knockback(const Vector3& direction, float magnitude, float duration, float damping) = 0;

    static const property::table& StaticPropertyTable();

    // Lowered by melee hits and bombs, set to 0 by fire, ice and pits.
    std::int32_t health = 0;
    // The cap of health after a hit.
    std::int32_t maxHealth = 0;
    // Cleared when a spawner has placed the character, and by ice.
    bool active = false;
    // Set to 9999 and 99999 when a spawner has placed the character.
    float detectRange = 0.0f;
    float chaseRange = 0.0f;
    // Hidden in the inspector.
    std::int32_t dummy2 = 0;
};

// The state names in the order of their numbers 0 to 13.
inline constexpr const char* kAIStateNames[14] = {"None",    "Idle",  "Return",  "Patrol", "Chase", "Flee",  "Attack",
                                                  "OnHit",   "Stun",  "Respawn", "MoveTo", "Shoot", "Dash", "Spawn"};
