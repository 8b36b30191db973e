#pragma once

#include "script.h"

// Test script that stores and prints preferences.
class TestPlayerPref : public Script<TestPlayerPref>
{
};
