#include "firedoor.h"

#include "doors.h"
#include "gameobjectinterface.h"

void FireDoor::OnCollisionEnter(GameObjectInterface* other)
{
    if (other->GetTag().find("Ice") != std::string::npos)
        OpenDoor(*owner, {{"sfx_melt", 0.2f}, {"sfx_icedeath", 0.5f}});
}
