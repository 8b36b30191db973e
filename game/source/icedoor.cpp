#include "icedoor.h"

#include "doors.h"
#include "gameobjectinterface.h"

void IceDoor::OnCollisionEnter(GameObjectInterface* other)
{
    if (other->GetTag().find("Fire") != std::string::npos)
        OpenDoor(*owner, {{"sfx_melt", 0.2f}, {"sfx_firedeath", 0.5f}});
}
