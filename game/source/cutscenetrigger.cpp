#include "cutscenetrigger.h"

#define CUTSCENETRIGGER_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, cameraName, "cameraName", "CameraName")

DEFINE_SCRIPT_PROPERTIES(CutsceneTrigger, CUTSCENETRIGGER_PROPERTIES)
