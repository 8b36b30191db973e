#include "breakableobject.h"

#define BREAKABLEOBJECT_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, hits, "hits", "HitsToBreak")

DEFINE_SCRIPT_PROPERTIES(BreakableObject, BREAKABLEOBJECT_PROPERTIES)
