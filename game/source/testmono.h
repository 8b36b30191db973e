#pragma once
#include <string>

#include "script.h"

// Test fixture holding one property of each value kind.
class TestMono : public Script<TestMono>
{
    SCRIPT_WITH_PROPERTIES(TestMono)

    int x = 0;
    float y = 0.0f;
    std::string z;
    Vector2 a;
    Vector3 b;
};
