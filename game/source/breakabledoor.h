#pragma once
#include "script.h"

// Door that breaks when an object tagged exactly "NullElem" runs into it.
class BreakableDoor : public Script<BreakableDoor>
{
public:
    void OnCollisionEnter(GameObjectInterface* other) override;
};
