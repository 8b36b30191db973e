#include "targetswitch.h"

#define TARGETSWITCH_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, bridgeName_, "bridgeName_", "BridgeName")

DEFINE_SCRIPT_PROPERTIES(TargetSwitch, TARGETSWITCH_PROPERTIES)
