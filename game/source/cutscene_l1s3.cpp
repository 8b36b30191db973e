#include "cutscene_l1s3.h"

#define CUTSCENE_L1S3_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, setName, "setName", "Set") \
    PROPERTY(Class, coffinName, "coffinName", "Coffin") \
    PROPERTY(Class, flashName, "flashName", "Flash")

DEFINE_SCRIPT_PROPERTIES(Cutscene_L1S3, CUTSCENE_L1S3_PROPERTIES)
