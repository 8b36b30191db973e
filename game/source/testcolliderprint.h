#pragma once
#include "script.h"

// Test script that moves its object by the arrow keys and casts a ray.
class TestColliderPrint : public Script<TestColliderPrint>
{
public:
    void Start() override;
    void Update() override;
};
