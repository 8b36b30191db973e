#pragma once
#include "script.h"

// Test script that turns its object about y every frame.
class TestParent : public Script<TestParent>
{
public:
    void Update() override;
};
