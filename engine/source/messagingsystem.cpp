#include "messagingsystem.h"

#include "TorvaneMath.h"

#include <iostream>

MessagingSystem* gMessaging = nullptr;

namespace
{
// Messages to the queue itself are debug prints of a position.
void PrintAddressedToMessaging(const BaseMessage& message)
{
    std::cout << message.name << " : ";
    if (const Vector3* v = PayloadOf<Vector3>(message))
        std::cout << "Vector3( " << v->x << ", " << v->y << ", " << v->z << " )";
    std::cout << std::endl;
}
}

MessagingSystem::MessagingSystem(std::vector<System*> receivers)
    : System(SystemId::Messaging), receivers_(std::move(receivers))
{
    gMessaging = this;
}

MessagingSystem::~MessagingSystem()
{
    if (gMessaging == this)
        gMessaging = nullptr;
}

void MessagingSystem::Init()
{
    std::cout << "System: Messaging \t- OK" << std::endl;
}

void MessagingSystem::Update()
{
    while (QueuedCount() > 0)
        Dispatch(*PopMessage());
}

void MessagingSystem::HandleMessage(const BaseMessage& message)
{
    if (message.receiver == SystemId::Messaging)
        PrintAddressedToMessaging(message);
}

void MessagingSystem::Post(std::unique_ptr<BaseMessage> message)
{
    queue_.push_back(std::move(message));
}

void MessagingSystem::Dispatch(const BaseMessage& message)
{
    HandleMessage(message);
    for (System* receiver : receivers_)
        receiver->HandleMessage(message);
}

std::unique_ptr<BaseMessage> MessagingSystem::PopMessage()
{
    if (QueuedCount() == 0)
    {
        std::cout << "Message Queue is empty" << std::endl;
        return std::make_unique<BaseMessage>(SystemId::None, SystemId::None, "");
    }
    std::unique_ptr<BaseMessage> message = std::move(queue_[head_++]);
    if (head_ == queue_.size())
    {
        queue_.clear();
        head_ = 0;
    }
    return message;
}
