#pragma once
#include "message.h"
#include "system.h"

#include <cstddef>
#include <memory>
#include <vector>

// Carries messages between systems: queued ones are delivered by the next Update, dispatched ones at once.
// Delivery offers each message to the receivers in the order given (Input, Logic, Graphics, Physics, Audio, AI).
class MessagingSystem : public System
{
public:
    // Publishes itself as gMessaging until it is destroyed.
    explicit MessagingSystem(std::vector<System*> receivers);
    ~MessagingSystem() override; // queued messages go undelivered

    void Init() override;
    // Delivers until the queue is empty, messages posted during delivery included.
    void Update() override;
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Messaging"; }
    void HandleMessage(const BaseMessage& message) override;

    void Post(std::unique_ptr<BaseMessage> message);
    void Dispatch(const BaseMessage& message);

    // The oldest queued message; on an empty queue a report and an empty message.
    std::unique_ptr<BaseMessage> PopMessage();
    std::size_t QueuedCount() const { return queue_.size() - head_; }

private:
    std::vector<System*> receivers_;
    // Oldest first from head_; the storage is kept between frames so steady posting does not allocate.
    std::vector<std::unique_ptr<BaseMessage>> queue_;
    std::size_t head_ = 0;
};

// The process-wide message queue; null before start-up has made it and after shut-down has destroyed it.
extern MessagingSystem* gMessaging;

// Queues a heap message for the next messaging update; dropped once the queue is gone.
template <typename T>
void PostMessage(SystemId sender, SystemId receiver, MessageName name, T payload)
{
    if (gMessaging)
        gMessaging->Post(std::make_unique<Message<T>>(sender, receiver, name, std::move(payload)));
}

// Delivers a message inside this call; dropped once the queue is gone.
template <typename T>
void DispatchMessage(SystemId sender, SystemId receiver, MessageName name, T payload)
{
    if (gMessaging)
        gMessaging->Dispatch(Message<T>(sender, receiver, name, std::move(payload)));
}
