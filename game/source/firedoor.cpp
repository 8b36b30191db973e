#include "firedoor.h"

#include "doors.h"
#include "gameobjectinterface.h"
#include "scripthelpers.h"

void FireDoor::OnCollisionEnter(GameObjectInterface* other)
{
    if (TagHas(*other, "Ice"))
        OpenDoor(*owner, {{"sfx_melt", 0.2f}, {"sfx_icedeath", 0.5f}});
}
