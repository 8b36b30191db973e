#include "targetswitch.h"

#define TARGETSWITCH_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, bridgeName_, "bridgeName_", "BridgeName")

DEFINE_SCRIPT_PROPERTIES(TargetSwitch, TARGETSWITCH_PROPERTIES)

#include "bridgescript.h"
#include "scriptlookup.h"

void TargetSwitch::Reload()
{
    bridgeScript = ScriptOf<BridgeScript>(FindObjectFor("TargetSwitch", bridgeName_));
}

void TargetSwitch::Start()
{
    hit = false;
    Reload();
}

void TargetSwitch::OnTriggerEnter(GameObjectInterface* other)
{
    if (!hit && other->GetScript("IceProjectile"))
        hit = true;
}
