#pragma once

#include "script.h"

// Test script that stores and prints preferences.
class TestPlayerPref : public Script<TestPlayerPref>
{
public:
    // Stores the float 123, the int 456 and the string "789" under "Test1".
    void Awake() override;
    // Prints what "Test1" holds when key 97 is released, what "Test2" holds when key 98 is.
    void Update() override;
};
