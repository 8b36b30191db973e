#pragma once
#include "gameobject.h"
#include "messagingsystem.h"
#include "objecthooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// Stands where the object factory will: owns live objects and prefabs, answers the object model's
// questions about them, and records what is handed to it for destroying. Objects put in its lists directly
// rather than through Live and Prefab are held nowhere as far as their components know.
class ObjectWorld
{
public:
    ObjectWorld()
    {
        current_ = this;
        SetObjectFactoryHooks({&FindPrefab, &Destroy});
    }
    ~ObjectWorld()
    {
        SetObjectFactoryHooks({});
        current_ = nullptr;
    }
    ObjectWorld(const ObjectWorld&) = delete;
    ObjectWorld& operator=(const ObjectWorld&) = delete;

    GameObject& Live(std::unique_ptr<GameObject> object)
    {
        object->SetPlace(ObjectPlace::Live);
        live.push_back(std::move(object));
        return *live.back();
    }
    GameObject& Live(const std::string& name, ObjectId id)
    {
        return Live(std::make_unique<GameObject>(name, id));
    }
    // A live object with a transform and the components of these element names.
    GameObject& LiveWith(const std::string& name, ObjectId id, std::initializer_list<const char*> components = {})
    {
        GameObject& object = Live(name, id);
        object.EnsureTransform();
        for (const char* component : components)
            object.AddComponent(component);
        return object;
    }
    GameObject& Prefab(const std::string& name, ObjectId id)
    {
        prefabs.push_back(std::make_unique<GameObject>(name, id));
        prefabs.back()->SetPlace(ObjectPlace::Prefab);
        return *prefabs.back();
    }

    std::vector<std::unique_ptr<GameObject>> live;
    std::vector<std::unique_ptr<GameObject>> prefabs;
    std::vector<GameObject*> destroyed;

private:
    static const GameObject* FindPrefab(ObjectId id)
    {
        const auto found =
            std::ranges::find_if(current_->prefabs, [&](const auto& prefab) { return prefab->GetID() == id; });
        return found == current_->prefabs.end() ? nullptr : found->get();
    }
    static void Destroy(GameObject& object) { current_->destroyed.push_back(&object); }

    static inline ObjectWorld* current_ = nullptr;
};

// A message queue with nobody listening, so a test can see what was posted.
class PostedMessages
{
public:
    // Name and payload of every queued message of payload type T, oldest first; the queue is emptied.
    template <class T>
    std::vector<std::pair<std::string, T>> Take()
    {
        std::vector<std::pair<std::string, T>> taken;
        while (messaging_.QueuedCount() > 0)
        {
            const auto message = messaging_.PopMessage();
            const T* payload = PayloadOf<T>(*message);
            EXPECT_NE(payload, nullptr) << message->name;
            EXPECT_EQ(message->sender, SystemId::None);
            EXPECT_EQ(message->receiver, SystemId::All);
            if (payload)
                taken.emplace_back(message->name, *payload);
        }
        return taken;
    }

private:
    MessagingSystem messaging_{{}};
};
