#include "cutscene_final.h"

#define CUTSCENE_FINAL_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, setName, "setName", "Set") \
    PROPERTY(Class, coffinName, "coffinName", "Coffin") \
    PROPERTY(Class, sourceName, "sourceName", "Source")

DEFINE_SCRIPT_PROPERTIES(Cutscene_Final, CUTSCENE_FINAL_PROPERTIES)
