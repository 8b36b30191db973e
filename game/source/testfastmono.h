#pragma once
#include "script.h"

// Test script that spawns a prefab and writes into the new instance's script.
class TestFastMono : public Script<TestFastMono>
{
};
