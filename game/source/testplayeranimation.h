#pragma once

#include "script.h"

// Test script that plays the walk and idle animations.
class TestPlayerAnimation : public Script<TestPlayerAnimation>
{
};
