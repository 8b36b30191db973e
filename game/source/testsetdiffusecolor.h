#pragma once
#include "script.h"

// Test script that alternates its renderer's diffuse colour.
class TestSetDiffuseColor : public Script<TestSetDiffuseColor>
{
public:
    void Start() override;
    void Update() override;

    float timer = 0.0f;
};
