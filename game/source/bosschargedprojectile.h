#pragma once

#include "script.h"

// The boss's charged projectile.
class BossChargedProjectile : public Script<BossChargedProjectile>
{
};
