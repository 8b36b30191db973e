#include "bridgescript.h"

#define BRIDGESCRIPT_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, switchCount_, "switchCount_", "SwitchCount")

DEFINE_SCRIPT_PROPERTIES(BridgeScript, BRIDGESCRIPT_PROPERTIES)
