#include "turret.h"

#define TURRET_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, range, "range", "Range") \
    PROPERTY(Class, timeBetweenShots, "timeBetweenShots", "TimeBetweenShots")

DEFINE_SCRIPT_PROPERTIES(Turret, TURRET_PROPERTIES)
