#pragma once

class InputInterface;
class ObjectFactoryInterface;
class PhysicsInterface;
class AudioInterface;
class CoreInterface;

// The engine services the script library is handed after each load and again on every Logic update.
struct StapleArguments
{
    InputInterface* input = nullptr;
    ObjectFactoryInterface* factory = nullptr;
    PhysicsInterface* physics = nullptr;
    AudioInterface* audio = nullptr;
    CoreInterface* core = nullptr;
    float dt = 0.0f;
};
