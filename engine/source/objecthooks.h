#pragma once
#include "gameobjectinterface.h"

// The object factory owns every object. While it lives it installs these so the object model can reach it;
// until then no object is a prefab and Destroy has nowhere to go.
struct ObjectFactoryHooks
{
    const GameObject* (*findPrefab)(ObjectId id) = nullptr;
    // The factory's destroy path, without the checks scripts get.
    void (*destroyObject)(GameObject& object) = nullptr;
};

void SetObjectFactoryHooks(const ObjectFactoryHooks& hooks);
const ObjectFactoryHooks& GetObjectFactoryHooks();
