// Queued delivery of mixed messages through the six receiving systems.
#include "collisiondata.h"
#include "messagingsystem.h"

#include <array>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <new>

namespace
{
std::atomic<long> allocations{0};

// Handles what a real system handles: its own id or everyone, a few names, the payload by type.
class Receiver : public System
{
public:
    explicit Receiver(SystemId id) : System(id) {}
    void Init() override {}
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Receiver"; }
    void HandleMessage(const BaseMessage& message) override
    {
        if (message.receiver != SystemId::All && message.receiver != GetId())
            return;
        if (message.name == MessageNames::Register || message.name == MessageNames::Destroy)
            Take(PayloadOf<GameObject*>(message));
        else if (message.name == MessageNames::OnCollisionEnter)
            Take(PayloadOf<CollisionData>(message));
        else if (message.name == MessageNames::Paused)
            Take(PayloadOf<bool>(message));
        else if (message.name == MessageNames::GetWaypointFromPosition)
            Take(PayloadOf<std::pair<Vector3, GameObject*>>(message));
        else if (message.name == MessageNames::OnTriggerExit)
            Take(PayloadOf<std::pair<GameObject*, GameObject*>>(message));
        else if (message.name == MessageNames::GeneratePath)
            Take(PayloadOf<int>(message));
    }

private:
    template <typename T>
    void Take(const T* payload)
    {
        benchmark::DoNotOptimize(payload);
        ++handled_;
    }
    long handled_ = 0;
};

void PostMixed(int i, GameObject* object)
{
    switch (i % 7)
    {
    case 0:
        PostMessage(SystemId::None, SystemId::All, MessageNames::Register, object);
        break;
    case 1:
        PostMessage(SystemId::Physics, SystemId::Logic, MessageNames::OnCollisionEnter,
                    CollisionData{Vector3(0.0f, 1.0f, 0.0f), 0.01f, 1, 0, 0.0f, 0.016f, Vector3(), object, object});
        break;
    case 2:
        PostMessage(SystemId::ScriptCalls, SystemId::All, MessageNames::Paused, i % 2 == 0);
        break;
    case 3:
        PostMessage(SystemId::None, SystemId::AI, MessageNames::GetWaypointFromPosition,
                    std::pair<Vector3, GameObject*>(Vector3(1.0f, 2.0f, 3.0f), object));
        break;
    case 4:
        PostMessage(SystemId::Physics, SystemId::Logic, MessageNames::OnTriggerExit,
                    std::pair<GameObject*, GameObject*>(object, object));
        break;
    case 5:
        PostMessage(SystemId::None, SystemId::AI, MessageNames::GeneratePath, 0);
        break;
    default:
        PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, object);
        break;
    }
}
}

// Counts every allocation of the program; the matching deletes free what malloc gave.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

static void BM_QueuedDelivery(benchmark::State& state)
{
    constexpr int kMessages = 100000;
    std::array<std::unique_ptr<Receiver>, 6> systems;
    const SystemId ids[] = {SystemId::Input, SystemId::Logic, SystemId::Graphics,
                            SystemId::Physics, SystemId::Audio, SystemId::AI};
    std::vector<System*> receivers;
    for (std::size_t i = 0; i < systems.size(); ++i)
    {
        systems[i] = std::make_unique<Receiver>(ids[i]);
        receivers.push_back(systems[i].get());
    }
    MessagingSystem messaging(receivers);
    GameObject* object = reinterpret_cast<GameObject*>(&messaging); // only passed around, never read

    // One round first, so the queue's storage has grown to its working size.
    for (int i = 0; i < kMessages; ++i)
        PostMixed(i, object);
    messaging.Update();

    const long before = allocations.load();
    for (auto _ : state)
    {
        for (int i = 0; i < kMessages; ++i)
            PostMixed(i, object);
        messaging.Update();
    }
    const double messages = static_cast<double>(state.iterations()) * kMessages;
    state.counters["messages_per_second"] = benchmark::Counter(messages, benchmark::Counter::kIsRate);
    state.counters["allocations_per_message"] = static_cast<double>(allocations.load() - before) / messages;
}
BENCHMARK(BM_QueuedDelivery)->Unit(benchmark::kMillisecond);
