#pragma once
#include "script.h"

// Test script that removes another object's script on request.
class TestAddRemoveScript : public Script<TestAddRemoveScript>
{
public:
    void Update() override;
};
