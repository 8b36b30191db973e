#pragma once
#include "gameobjectinterface.h"

class Component;

// The object factory owns every object. While it lives it installs these so the object model can reach it;
// until then components have no owner, no object is a prefab and Destroy has nowhere to go.
struct ObjectFactoryHooks
{
    // The object whose component list holds the component: the live objects, then the destroy queue;
    // with inPrefabs the prefabs instead.
    GameObject* (*findOwner)(const Component& component, bool inPrefabs) = nullptr;
    const GameObject* (*findPrefab)(ObjectId id) = nullptr;
    // The factory's destroy path, without the checks scripts get.
    void (*destroyObject)(GameObject& object) = nullptr;
};

void SetObjectFactoryHooks(const ObjectFactoryHooks& hooks);
const ObjectFactoryHooks& GetObjectFactoryHooks();
