#include "creditsrolling.h"

#define CREDITSROLLING_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, speed, "speed", "Speed")

DEFINE_SCRIPT_PROPERTIES(CreditsRolling, CREDITSROLLING_PROPERTIES)
