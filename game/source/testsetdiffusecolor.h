#pragma once
#include "script.h"

// Test script that alternates its renderer's diffuse colour.
class TestSetDiffuseColor : public Script<TestSetDiffuseColor>
{
public:
    float timer = 0.0f;
};
