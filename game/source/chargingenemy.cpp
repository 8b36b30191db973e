#include "chargingenemy.h"

#define CHARGINGENEMY_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, chargingDist_, "chargingDist_", "ChargingDistance") \
    PROPERTY(Class, chargingSpeed_, "chargingSpeed_", "ChargingSpeed") \
    PROPERTY(Class, maxTimer, "maxTimer", "MaxTimer") \
    PROPERTY(Class, timeTillRespawn_, "timeTillRespawn_", "TimeTillRespawn")

DEFINE_SCRIPT_PROPERTIES(ChargingEnemy, CHARGINGENEMY_PROPERTIES)
