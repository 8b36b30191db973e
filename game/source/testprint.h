#pragma once
#include "script.h"

// Test script that reports its life-cycle and event calls.
class TestPrint : public Script<TestPrint>
{
};
