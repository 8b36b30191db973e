#include "turretfollowing.h"

#define TURRETFOLLOWING_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, range, "range", "Range") \
    PROPERTY(Class, timeBetweenShots, "timeBetweenShots", "TimeBetweenShots")

DEFINE_SCRIPT_PROPERTIES(TurretFollowing, TURRETFOLLOWING_PROPERTIES)
