#pragma once
#include "system.h"

#include <string>
#include <utility>

// A named message from one system to one system (or to every system, receiver SystemId::All).
struct BaseMessage
{
    BaseMessage(SystemId sender, SystemId receiver, std::string name)
        : sender(sender), receiver(receiver), name(std::move(name))
    {
    }
    virtual ~BaseMessage() = default;

    SystemId sender;
    SystemId receiver;
    std::string name;
};

// A message with one typed payload. Handlers recover it with PayloadOf<T> for the names they know.
template <typename T>
struct Message : BaseMessage
{
    Message(SystemId sender, SystemId receiver, std::string name, T payload)
        : BaseMessage(sender, receiver, std::move(name)), payload(std::move(payload))
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
inline constexpr char Register[] = "Register";
inline constexpr char Unregister[] = "Unregister";
inline constexpr char Destroy[] = "Destroy";
inline constexpr char Enable[] = "Enable";
inline constexpr char Disable[] = "Disable";
inline constexpr char EnableComponent[] = "EnableComponent";
inline constexpr char DisableComponent[] = "DisableComponent";
inline constexpr char Cloned[] = "Cloned";
inline constexpr char Paused[] = "Paused";
inline constexpr char Play[] = "Play";
inline constexpr char Pause[] = "Pause";
inline constexpr char Stop[] = "Stop";
inline constexpr char Fade[] = "Fade";
inline constexpr char RemoveMono[] = "RemoveMono";
inline constexpr char GeneratePath[] = "GeneratePath";
inline constexpr char RefindEdge[] = "RefindEdge";
inline constexpr char GetWaypointFromPosition[] = "GetWaypointFromPosition";
inline constexpr char OnCollisionEnter[] = "OnCollisionEnter";
inline constexpr char OnCollisionStay[] = "OnCollisionStay";
inline constexpr char OnCollisionExit[] = "OnCollisionExit";
inline constexpr char OnTriggerEnter[] = "OnTriggerEnter";
inline constexpr char OnTriggerStay[] = "OnTriggerStay";
inline constexpr char OnTriggerExit[] = "OnTriggerExit";
inline constexpr char AttachInterfaces[] = "AttachInterfaces";
}
