#include "icedoor.h"

#include "doors.h"
#include "gameobjectinterface.h"
#include "scripthelpers.h"

void IceDoor::OnCollisionEnter(GameObjectInterface* other)
{
    if (TagHas(*other, "Fire"))
        OpenDoor(*owner, {{"sfx_melt", 0.2f}, {"sfx_firedeath", 0.5f}});
}
