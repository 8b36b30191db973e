#include "messagingsystem.h"
#include "TorvaneMath.h"
#include "recordingsystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

using ::testing::ElementsAre;

namespace
{
// Six receivers in delivery order, and a queue that offers them every message.
class MessagingTest : public ::testing::Test
{
protected:
    MessagingTest()
    {
        for (SystemId id : {SystemId::Input, SystemId::Logic, SystemId::Graphics, SystemId::Physics,
                            SystemId::Audio, SystemId::AI})
            systems.push_back(std::make_unique<RecordingSystem>(id, log));
        std::vector<System*> receivers;
        for (auto& system : systems)
            receivers.push_back(system.get());
        messaging = std::make_unique<MessagingSystem>(receivers);
        log.clear();
    }

    RecordingSystem& Logic() { return *systems[1]; }

    std::vector<std::string> log;
    std::vector<std::unique_ptr<RecordingSystem>> systems;
    std::unique_ptr<MessagingSystem> messaging;
};
}

TEST_F(MessagingTest, QueuedMessagesWaitForTheUpdateAndReachEveryReceiverInOrder)
{
    PostMessage(SystemId::None, SystemId::All, "First", 1);
    PostMessage(SystemId::None, SystemId::Audio, "Second", true);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(messaging->QueuedCount(), 2u);

    messaging->Update();

    EXPECT_THAT(log, ElementsAre("INPUT got First", "LOGIC got First", "GRAPHICS got First", "PHYSICS got First",
                                 "AUDIO got First", "AI got First", "INPUT got Second", "LOGIC got Second",
                                 "GRAPHICS got Second", "PHYSICS got Second", "AUDIO got Second", "AI got Second"));
    EXPECT_EQ(messaging->QueuedCount(), 0u);
}

TEST_F(MessagingTest, AMessagePostedDuringDeliveryArrivesInTheSameUpdateAfterTheEarlierOnes)
{
    Logic().onMessage = [](const BaseMessage& message) {
        if (message.name == "First")
            PostMessage(SystemId::Logic, SystemId::All, "FromHandler", 0);
    };
    PostMessage(SystemId::None, SystemId::All, "First", 0);
    PostMessage(SystemId::None, SystemId::All, "Second", 0);

    messaging->Update();

    std::vector<std::string> atLogic;
    for (const std::string& entry : log)
        if (entry.starts_with("LOGIC"))
            atLogic.push_back(entry);
    EXPECT_THAT(atLogic, ElementsAre("LOGIC got First", "LOGIC got Second", "LOGIC got FromHandler"));
    EXPECT_EQ(messaging->QueuedCount(), 0u);
}

TEST_F(MessagingTest, ADispatchedMessageIsHandledInsideTheSendersCallBeforeQueuedOnes)
{
    PostMessage(SystemId::None, SystemId::All, "Queued", 0);
    DispatchMessage(SystemId::ScriptCalls, SystemId::Logic, "Now", 0);

    EXPECT_THAT(log, ElementsAre("INPUT got Now", "LOGIC got Now", "GRAPHICS got Now", "PHYSICS got Now",
                                 "AUDIO got Now", "AI got Now"));
    EXPECT_EQ(messaging->QueuedCount(), 1u);
}

TEST_F(MessagingTest, HandlersRecoverTheSendersPayloadByItsType)
{
    std::vector<std::string> seen;
    Logic().onMessage = [&seen](const BaseMessage& message) {
        if (const auto* number = PayloadOf<int>(message))
            seen.push_back(std::string(message.name.View()) + " int " + std::to_string(*number));
        else if (const auto* pair = PayloadOf<std::pair<GameObject*, std::string>>(message))
            seen.push_back(std::string(message.name.View()) + " script " + pair->second);
        EXPECT_EQ(PayloadOf<bool>(message), nullptr);
        EXPECT_EQ(message.sender, SystemId::ScriptCalls);
    };
    PostMessage(SystemId::ScriptCalls, SystemId::AI, MessageNames::GeneratePath, 0);
    PostMessage(SystemId::ScriptCalls, SystemId::Logic, MessageNames::Register,
                std::pair<GameObject*, std::string>(nullptr, "Turret"));
    messaging->Update();

    EXPECT_THAT(seen, ElementsAre("GeneratePath int 0", "Register script Turret"));
}

TEST_F(MessagingTest, PoppingAnEmptyQueueReportsAndGivesAnEmptyMessage)
{
    testing::internal::CaptureStdout();
    const std::unique_ptr<BaseMessage> message = messaging->PopMessage();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Message Queue is empty\n");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->sender, SystemId::None);
    EXPECT_EQ(message->receiver, SystemId::None);
    EXPECT_EQ(message->name, "");
}

TEST_F(MessagingTest, TheQueueIsReusedAcrossUpdates)
{
    for (int round = 0; round < 3; ++round)
    {
        for (int i = 0; i < 100; ++i)
            PostMessage(SystemId::None, SystemId::All, "Tick", i);
        messaging->Update();
        EXPECT_EQ(messaging->QueuedCount(), 0u);
    }
    EXPECT_EQ(log.size(), 3u * 100u * 6u);
}

TEST_F(MessagingTest, OnceTheQueueIsGoneMessagesAreDroppedUndelivered)
{
    PostMessage(SystemId::None, SystemId::All, "Pending", 0); // freed with the queue
    messaging.reset();
    EXPECT_EQ(gMessaging, nullptr);

    PostMessage(SystemId::None, SystemId::All, "Late", 0);
    DispatchMessage(SystemId::None, SystemId::All, "LateToo", 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(MessagingTest, AMessageToTheQueueItselfPrintsItsPositionAndStillReachesTheReceivers)
{
    testing::internal::CaptureStdout();
    DispatchMessage(SystemId::None, SystemId::Messaging, "Where", Vector3(1.5f, -2.0f, 0.25f));
    DispatchMessage(SystemId::None, SystemId::Messaging, "NotAPosition", 3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Where : Vector3( 1.5, -2, 0.25 )\nNotAPosition : \n");
    EXPECT_EQ(log.size(), 12u);
}

TEST(MessagePayload, AMessageAboutNoObjectIsReportedAndGivesNull)
{
    GameObject* object = reinterpret_cast<GameObject*>(0x10); // never dereferenced
    EXPECT_EQ(PayloadObject<GameObject>(Message<GameObject*>(SystemId::None, SystemId::All, "Register", object)),
              object);

    struct Case
    {
        std::unique_ptr<BaseMessage> message;
    } cases[] = {{std::make_unique<Message<GameObject*>>(SystemId::None, SystemId::All, "Register", nullptr)},
                 {std::make_unique<Message<int>>(SystemId::None, SystemId::All, "Register", 5)}};
    for (const Case& c : cases)
    {
        testing::internal::CaptureStderr();
        EXPECT_EQ(PayloadObject<GameObject>(*c.message), nullptr);
        EXPECT_THAT(testing::internal::GetCapturedStderr(),
                    testing::HasSubstr("\tASSERT\n\tMessage 'Register' is about no object\n"));
    }
}
