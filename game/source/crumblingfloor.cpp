#include "crumblingfloor.h"

#define CRUMBLINGFLOOR_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, timer, "timer", "Timer") \
    PROPERTY(Class, rewind, "rewind", "Rewind") \
    PROPERTY(Class, rewindTime, "rewindTime", "TimeToRewind")

DEFINE_SCRIPT_PROPERTIES(CrumblingFloor, CRUMBLINGFLOOR_PROPERTIES)
