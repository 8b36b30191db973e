#pragma once
#include "script.h"

// Test script that switches the main camera between two cameras.
class TestCameraSwitch : public Script<TestCameraSwitch>
{
public:
    void Update() override;
};
