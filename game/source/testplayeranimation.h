#pragma once
#include "script.h"

class AnimatorInterface;

// Test script that plays the walk and idle animations.
class TestPlayerAnimation : public Script<TestPlayerAnimation>
{
public:
    void Reload() override;
    void Start() override;
    void Update() override;

    AnimatorInterface* animator = nullptr;
};
