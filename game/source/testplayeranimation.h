#pragma once
#include "script.h"

class AnimatorInterface;

// Test script that plays the walk and idle animations.
class TestPlayerAnimation : public Script<TestPlayerAnimation>
{
public:
    AnimatorInterface* animator = nullptr;
};
