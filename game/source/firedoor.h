#pragma once
#include "script.h"

// Door that melts when ice touches it.
class FireDoor : public Script<FireDoor>
{
public:
    void OnCollisionEnter(GameObjectInterface* other) override;
};
