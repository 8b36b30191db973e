#include "bossswitch.h"

#define BOSSSWITCH_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, healthMax_, "healthMax_", "Health")

DEFINE_SCRIPT_PROPERTIES(BossSwitch, BOSSSWITCH_PROPERTIES)

void BossSwitch::Hit()
{
}
