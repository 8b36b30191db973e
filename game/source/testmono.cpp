#include "testmono.h"

#define TESTMONO_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, x, "x", "x") \
    PROPERTY(Class, y, "y", "y") \
    PROPERTY(Class, z, "z", "z") \
    PROPERTY(Class, a, "a", "a") \
    PROPERTY(Class, b, "b", "b")

DEFINE_SCRIPT_PROPERTIES(TestMono, TESTMONO_PROPERTIES)
