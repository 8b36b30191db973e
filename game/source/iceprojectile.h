#pragma once

#include "script.h"

// Ice projectile fired by turrets.
class IceProjectile : public Script<IceProjectile>
{
};
