#include "messagingsystem.h"

#include <iostream>

MessagingSystem* gMessaging = nullptr;

namespace
{
void PrintAddressedToMessaging(const BaseMessage& message)
{
    std::cout << message.name << " : " << std::endl;
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
