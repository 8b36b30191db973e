#pragma once
#include "assertion.h"
#include "system.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

// A message's name. Names are fixed texts (MessageNames, or string literals), so a message keeps a view of
// the text and queueing a message never copies or allocates its name.
class MessageName
{
public:
    constexpr MessageName() = default;
    template <std::size_t N>
    constexpr MessageName(const char (&text)[N]) : text_(text, N - 1)
    {
    }

    constexpr std::string_view View() const { return text_; }
    constexpr operator std::string_view() const { return text_; }
    friend constexpr bool operator==(MessageName name, std::string_view text) { return name.text_ == text; }
    friend std::ostream& operator<<(std::ostream& out, MessageName name) { return out << name.text_; }

private:
    std::string_view text_;
};

// A named message from one system to one system (or to every system, receiver SystemId::All).
struct BaseMessage
{
    BaseMessage(SystemId sender, SystemId receiver, MessageName name) : sender(sender), receiver(receiver), name(name)
    {
    }
    virtual ~BaseMessage() = default;

    SystemId sender;
    SystemId receiver;
    MessageName name;
};

// A message with one typed payload. Handlers recover it with PayloadOf<T> for the names they know.
template <typename T>
struct Message : BaseMessage
{
    Message(SystemId sender, SystemId receiver, MessageName name, T payload)
        : BaseMessage(sender, receiver, name), payload(std::move(payload))
    {
    }

    T payload;
};

// The payload of a message that carries a T, or null when it carries something else.
template <typename T>
const T* PayloadOf(const BaseMessage& message)
{
    const auto* typed = dynamic_cast<const Message<T>*>(&message);
    return typed ? &typed->payload : nullptr;
}

// The object a message is about (GameObject, AudioSource...). A message that carries none, or a null one
// (a prefab's component may send one), is reported and gives null: handlers then ignore it.
template <typename Object>
Object* PayloadObject(const BaseMessage& message)
{
    const auto* object = PayloadOf<Object*>(message);
    ASSERT(object && *object, "Message '" + std::string(message.name.View()) + "' is about no object");
    return object ? *object : nullptr;
}

// Every message name the engine sends. Payload, receiver and delivery of each:
//   Register                  GameObject*                          all       queued
//   Register                  pair<GameObject*, string> (script)   Logic     immediate, sender ScriptCalls
//   Destroy                   GameObject*                          all       queued
//   Enable, Disable           GameObject*                          all       queued, only on a change
//   EnableComponent, DisableComponent
//                             pair<CompEnum, GameObject*>          all       queued, only on a change
//   Cloned                    GameObject*                          all       immediate
//   Paused                    bool (new value)                     all       queued, sender ScriptCalls
//   Play, Stop                AudioSource*                         Audio     queued
//   Pause, Fade               pair<AudioSource*, bool>             Audio     queued (Fade: true fades in)
//   GetWaypointFromPosition   pair<Vector3, GameObject*>           AI        queued
//   RefindEdge, GeneratePath  int (0)                              AI        queued
//   OnCollisionEnter, OnCollisionStay, OnTriggerEnter, OnTriggerStay
//                             CollisionData                        Logic     queued, sender Physics
//   OnCollisionExit, OnTriggerExit
//                             pair<GameObject*, GameObject*>       Logic     queued, sender Physics
//   RemoveMono                pair<GameObject*, string>            all       queued
//   Unregister, AttachInterfaces: answered by Logic, sent by nothing.
namespace MessageNames
{
inline constexpr MessageName Register{"Register"};
inline constexpr MessageName Unregister{"Unregister"};
inline constexpr MessageName Destroy{"Destroy"};
inline constexpr MessageName Enable{"Enable"};
inline constexpr MessageName Disable{"Disable"};
inline constexpr MessageName EnableComponent{"EnableComponent"};
inline constexpr MessageName DisableComponent{"DisableComponent"};
inline constexpr MessageName Cloned{"Cloned"};
inline constexpr MessageName Paused{"Paused"};
inline constexpr MessageName Play{"Play"};
inline constexpr MessageName Pause{"Pause"};
inline constexpr MessageName Stop{"Stop"};
inline constexpr MessageName Fade{"Fade"};
inline constexpr MessageName RemoveMono{"RemoveMono"};
inline constexpr MessageName GeneratePath{"GeneratePath"};
inline constexpr MessageName RefindEdge{"RefindEdge"};
inline constexpr MessageName GetWaypointFromPosition{"GetWaypointFromPosition"};
inline constexpr MessageName OnCollisionEnter{"OnCollisionEnter"};
inline constexpr MessageName OnCollisionStay{"OnCollisionStay"};
inline constexpr MessageName OnCollisionExit{"OnCollisionExit"};
inline constexpr MessageName OnTriggerEnter{"OnTriggerEnter"};
inline constexpr MessageName OnTriggerStay{"OnTriggerStay"};
inline constexpr MessageName OnTriggerExit{"OnTriggerExit"};
inline constexpr MessageName AttachInterfaces{"AttachInterfaces"};
}
