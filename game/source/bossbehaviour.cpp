#include "bossbehaviour.h"

#define BOSSBEHAVIOUR_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, range_, "range_", "Range") \
    PROPERTY(Class, timeBetweenShots_, "timeBetweenShots_", "TimeBetweenShots") \
    PROPERTY(Class, chargeUpTime_, "chargeUpTime_", "ChargeUpTime")

DEFINE_SCRIPT_PROPERTIES(BossBehaviour, BOSSBEHAVIOUR_PROPERTIES)
