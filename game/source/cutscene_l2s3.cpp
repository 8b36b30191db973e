#include "cutscene_l2s3.h"

#define CUTSCENE_L2S3_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, setName, "setName", "Set") \
    PROPERTY(Class, flashName, "flashName", "Flash")

DEFINE_SCRIPT_PROPERTIES(Cutscene_L2S3, CUTSCENE_L2S3_PROPERTIES)
