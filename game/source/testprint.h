#pragma once
#include "script.h"

// Test script that reports its life-cycle and event calls.
class TestPrint : public Script<TestPrint>
{
public:
    void Awake() override;
    void Start() override;
    void Reload() override;
    void Update() override;
    void OnDestroy() override;
    void OnEnable() override;
    void OnDisable() override;
    void OnCollisionEnter(GameObjectInterface* other) override;
    void OnCollisionStay(GameObjectInterface* other) override;
    void OnCollisionExit(GameObjectInterface* other) override;
    void OnTriggerEnter(GameObjectInterface* other) override;
    void OnTriggerStay(GameObjectInterface* other) override;
    void OnTriggerExit(GameObjectInterface* other) override;
};
