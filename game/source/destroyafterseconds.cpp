#include "destroyafterseconds.h"

#define DESTROYAFTERSECONDS_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, timer, "timer", "Timer")

DEFINE_SCRIPT_PROPERTIES(DestroyAfterSeconds, DESTROYAFTERSECONDS_PROPERTIES)
