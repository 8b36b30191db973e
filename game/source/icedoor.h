#pragma once
#include "script.h"

// Door that melts when fire touches it.
class IceDoor : public Script<IceDoor>
{
public:
    void OnCollisionEnter(GameObjectInterface* other) override;
};
