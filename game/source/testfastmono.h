#pragma once
#include "script.h"

// Test script that spawns a prefab and writes into the new instance's script.
class TestFastMono : public Script<TestFastMono>
{
public:
    void Awake() override;
    void Start() override;
    void Update() override;
    void OnDestroy() override;

    // The field the spawning instance writes.
    int first = 0;
};
