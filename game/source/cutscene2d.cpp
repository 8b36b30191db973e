#include "cutscene2d.h"

#define CUTSCENE2D_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, cutscene, "cutscene", "Cutscene") \
    PROPERTY(Class, nextLevel, "nextLevel", "NextLevel")

DEFINE_SCRIPT_PROPERTIES(Cutscene2D, CUTSCENE2D_PROPERTIES)
