#include "breakabledoor.h"

#include "doors.h"
#include "gameobjectinterface.h"

void BreakableDoor::OnCollisionEnter(GameObjectInterface* other)
{
    if (other->GetTag() == "NullElem")
        OpenDoor(*owner, {{"sfx_doorbreak", 0.5f}});
}
