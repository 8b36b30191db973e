#include "physicssystem.h"

#include "assertion.h"
#include "c_collider.h"
#include "c_rigidbody.h"
#include "c_transform.h"
#include "colliderpairs.h"
#include "core.h"
#include "gameobject.h"
#include "helpers.h"
#include "message.h"
#include "messagingsystem.h"

#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace
{
constexpr float kLargestFloat = std::numeric_limits<float>::max();

PhysicsClock CoreClock()
{
    return {[] { return gCore ? gCore->GetFrameTime() : 0.0f; }, [] { return gCore && gCore->IsPaused(); }};
}

void QueueCollisionMessage(MessageName name, const CollisionData& record)
{
    PostMessage(SystemId::Physics, SystemId::Logic, name, record);
}

void QueuePairMessage(MessageName name, GameObject* first, GameObject* second)
{
    PostMessage(SystemId::Physics, SystemId::Logic, name, std::pair<GameObject*, GameObject*>(first, second));
}

void CheckPair(const CollisionData& record, const char* loop)
{
    ASSERT(record.objectA && record.objectB, std::string("Physics System PublishCollisionMessage function, ") + loop +
                                                 " loop. One of the collision pair is nullptr");
}

// Every component of these kinds is of the class: no type check needed, and the physics asks every update.
RigidBody* BodyOf(const GameObject& object)
{
    return static_cast<RigidBody*>(object.FirstOfType(CompEnum::RigidBody));
}

Collider* ColliderOf(const GameObject& object)
{
    return static_cast<Collider*>(object.FirstOfType(CompEnum::Collider));
}

void CheckPosition(const Vector3& position, const GameObject& object, const char* which)
{
    ASSERT(!position.HasNaN(), object.GetName() + which);
}

// The first of the body's own values that the physics cannot work with, or null when there is none.
const char* UnusableValue(RigidBody& body)
{
    if (!(body.GetVelocity().IsFinite() && body.GetForce().IsFinite()))
        return "velocity or force";
    if (!(std::isfinite(body.GetMass()) && body.GetMass() > 0.0f && std::isfinite(body.GetGravityScale())))
        return "mass or gravity scale";
    return nullptr;
}

// The same over all the object's parts.
const char* UnusableValue(const Transform& transform, RigidBody& body, const Collider& collider)
{
    if (!(transform.GetPosition().IsFinite() && transform.GetScale().IsFinite()))
        return "position or scale";
    if (const char* value = UnusableValue(body))
        return value;
    if (!(collider.GetOffset().IsFinite() && collider.GetSize().IsFinite() && std::isfinite(collider.GetRadius()) &&
          std::isfinite(collider.GetHeight())))
        return "collider";
    return nullptr;
}

} // namespace

PhysicsSystem::PhysicsSystem() : PhysicsSystem(CoreClock())
{
}

PhysicsSystem::PhysicsSystem(PhysicsClock clock) : System(SystemId::Physics), clock_(std::move(clock))
{
}

void PhysicsSystem::RegisterObject(GameObject* object)
{
    if (!object)
    {
        ASSERT(false, "Physics System registering nullptr. RegisterObject function call");
        return;
    }
    const RigidBody* body = BodyOf(*object);
    const Collider* collider = ColliderOf(*object);
    if (!body || !collider || object->IsDestroyed() || simulatedObjects_.Contains(object))
        return;
    // An object that comes switched off (its "Disable" or "DisableComponent" arrived before it was known
    // here, as loading sends them) waits with the disabled ones, where switching it on finds it.
    const bool on = object->IsActive() && body->IsEnabled() && collider->IsEnabled();
    (on ? simulatedObjects_ : disabledObjects_).Add(object);
}

void PhysicsSystem::UnregisterObject(GameObject* object)
{
    if (!object)
    {
        ASSERT(false, "Physics System unregistering nullptr. UnregisterObject function call");
        return;
    }
    // The contacts of an update are published and dropped before any message can arrive, so the partners
    // of a destroyed object learn of it from the lists that outlive an update.
    touchingContacts_.RemoveNaming(object, &PostExitEvent);
    pendingExitContacts_.RemoveNaming(object);
    leftOut_.erase(object);
    disabledObjects_.Remove(object);
    simulatedObjects_.Remove(object);
}

void PhysicsSystem::RemoveFromSimulation(GameObject* object)
{
    if (!simulatedObjects_.Contains(object))
        return;
    touchingContacts_.RemoveNaming(object);
    pendingExitContacts_.RemoveNaming(object);
    simulatedObjects_.Remove(object);
    disabledObjects_.Add(object);
}

void PhysicsSystem::ReturnToSimulation(GameObject* object, CompEnum kind)
{
    if (!disabledObjects_.Contains(object))
        return;
    const auto enabled = [&]<class C>(C* component) { return component && component->IsEnabled(); };
    if (kind != CompEnum{0} && !object->IsActive())
        return;
    if (kind == CompEnum::Collider && !enabled(BodyOf(*object)))
        return;
    if (kind == CompEnum::RigidBody && !enabled(ColliderOf(*object)))
        return;
    simulatedObjects_.Add(object);
}

void PhysicsSystem::HandleMessage(const BaseMessage& message)
{
    if (message.receiver != SystemId::All)
        return;
    const MessageName name = message.name;
    if (IsPaused() && !(name == MessageNames::Destroy))
        return;
    if (name == MessageNames::Register || name == MessageNames::Destroy || name == MessageNames::Enable ||
        name == MessageNames::Disable)
        HandleObjectMessage(message);
    else if (name == MessageNames::EnableComponent || name == MessageNames::DisableComponent)
        HandleComponentMessage(message);
}

void PhysicsSystem::HandleObjectMessage(const BaseMessage& message)
{
    const MessageName name = message.name;
    const auto* payload = PayloadOf<GameObject*>(message);
    GameObject* object = payload ? *payload : nullptr;
    if (!object)
    {
        ASSERT(false, name == MessageNames::Register  ? "Physics System registering nullptr. Message sent a nullptr"
                      : name == MessageNames::Destroy ? "Physics System destroying nullptr. Message sent a nullptr"
                                                      : "Physics System disabling nullptr. Message sent a nullptr");
        return;
    }
    if (name == MessageNames::Register)
        RegisterObject(object);
    else if (name == MessageNames::Destroy)
        UnregisterObject(object);
    else if (name == MessageNames::Disable)
        RemoveFromSimulation(object);
    else if (disabledObjects_.Contains(object))
        simulatedObjects_.Add(object);
}

void PhysicsSystem::HandleComponentMessage(const BaseMessage& message)
{
    const auto* payload = PayloadOf<std::pair<CompEnum, GameObject*>>(message);
    if (!payload || !payload->second)
    {
        ASSERT(false, "Physics System disabling nullptr. Message sent a nullptr");
        return;
    }
    if (message.name == MessageNames::DisableComponent)
        RemoveFromSimulation(payload->second);
    else
        ReturnToSimulation(payload->second, payload->first);
}

void PhysicsSystem::Update()
{
    if (IsPaused())
        return;
    const float dt = clock_.frameTime ? clock_.frameTime() : 0.0f;
    ApplyForces(dt);
    BuildGroups(dt);
    for (const auto& group : groups_)
    {
        // Each group has the whole frame: a collision in one group must not slow down the bodies of another.
        float remaining = dt;
        for (std::size_t call = 0; call < kMaxStepCalls && !StepSimulation(group, remaining); ++call)
        {
        }
    }
    CorrectPositions();
    WriteBack();
    PublishCollisionMessage();
    groups_.clear();
}

void PhysicsSystem::ApplyForces(float dt)
{
    bodies_.clear();
    for (GameObject* object : simulatedObjects_)
    {
        auto* body = BodyOf(*object);
        if (!body)
        {
            ASSERT(false, "Applying Gravity on object with no RigidBody");
            continue;
        }
        bodies_.push_back(body);
        // A value that is not finite would only spread; the broad phase reports the body and leaves it out.
        if (body->IsStatic() || UnusableValue(*body))
            continue;
        body->AddForce(kGravity * body->GetMass() * body->GetGravityScale());
        body->GetVelocity() += body->GetForce() / body->GetMass() * dt;
    }
}

void PhysicsSystem::BuildGroups(float dt)
{
    broadPhaseEntries_.clear();
    for (GameObject* object : simulatedObjects_)
    {
        auto* transform = object->GetComponent<Transform>();
        auto* body = BodyOf(*object);
        auto* collider = ColliderOf(*object);
        // A part removed while the game runs takes the object out of the frame, never dereferenced.
        if (!transform || !body || !collider)
            continue;
        const Vector3 start = transform->GetPosition();
        const Vector3 end = start + body->GetVelocity() * dt;
        const Vector3 motion = body->IsStatic() ? Vector3() : body->GetVelocity() * dt;
        const BroadPhaseEntry entry{.isStatic = body->IsStatic(),
                                    .shape = static_cast<std::int32_t>(collider->GetType()),
                                    .collider = collider,
                                    .body = body,
                                    .boundingRadius = BoundingRadius(*transform, *collider, motion),
                                    .object = object,
                                    .centre = collider->GetOffset() + start,
                                    .transform = transform};
        // Finite values can still overflow on the way: such a body is left out like one that is not finite.
        const char* unusable = UnusableValue(*transform, *body, *collider);
        if (!unusable && !(end.IsFinite() && entry.centre.IsFinite() && std::isfinite(entry.boundingRadius)))
            unusable = "motion or extent";
        if (!Admitted(*object, unusable))
            continue;
        body->StartPosition = start;
        body->EndPosition = end;
        broadPhaseEntries_.push_back(entry);
    }
    groups_ = GroupEntries(broadPhaseEntries_);
}

bool PhysicsSystem::Admitted(const GameObject& object, const char* unusable)
{
    if (!unusable)
    {
        leftOut_.erase(&object);
        return true;
    }
    // Once until it is usable again: a report every frame would bury everything else.
    if (leftOut_.insert(&object).second)
        ASSERT(false, object.GetName() + " is left out of the physics until its " + unusable + " is finite");
    return false;
}

bool PhysicsSystem::StepSimulation(const std::vector<std::size_t>& group, float& remaining)
{
    ASSERT(!group.empty(), "StepSimulation group size is 0. Why is group size 0?");
    const auto entry = [&](std::size_t at) -> const BroadPhaseEntry& { return broadPhaseEntries_[group[at]]; };

    // Scratch kept between steps, so a step allocates nothing once the lists have grown.
    std::vector<ShapePlacement>& placed = stepPlaced_;
    std::vector<bool>& isStatic = stepIsStatic_;
    std::vector<StepContact>& touching = stepTouching_;
    placed.clear();
    isStatic.clear();
    touching.clear();
    for (std::size_t at = 0; at < group.size(); ++at)
    {
        const BroadPhaseEntry& e = entry(at);
        placed.push_back(PlaceShape(*e.transform, *e.collider, e.body->GetVelocity() * remaining));
        isStatic.push_back(e.isStatic != 0);
    }

    float minToi = kLargestFloat;
    for (const auto& [i, j] : PairsThatMayTouch(placed, isStatic))
    {
        CollisionData record;
        record.resolve = 1;
        record.stepTime = remaining;
        record.objectA = entry(i).object;
        record.objectB = entry(j).object;
        if (!TestPair(placed[i], placed[j], record))
            continue;
        if (entry(i).collider->IsTrigger() || entry(j).collider->IsTrigger())
        {
            record.resolve = 0;
            record.isTrigger = 1;
        }
        if (contacts_.AppendOnce(record))
        {
            contactBodies_.emplace_back(entry(i).body, entry(j).body);
            contactStarts_.emplace_back(entry(i).transform->GetPosition(), entry(j).transform->GetPosition());
        }
        if (record.timeOfImpact > 0.0f && record.timeOfImpact < minToi)
            minToi = record.timeOfImpact;
        touching.push_back({record, i, j});
    }
    // A contact later than the earliest impact waits for a later step; the last one found stays regardless.
    if (!touching.empty())
    {
        const StepContact last = touching.back();
        touching.pop_back();
        std::erase_if(touching, [&](const StepContact& contact) { return contact.record.timeOfImpact > minToi; });
        touching.push_back(last);
    }

    const auto finalMove = [&] {
        for (std::size_t at = 0; at < group.size(); ++at)
        {
            RigidBody& body = *entry(at).body;
            if (body.IsStatic())
                continue;
            body.EndPosition = body.StartPosition + body.GetVelocity() * remaining;
            CheckPosition(body.EndPosition, *entry(at).object, " next pos is NaN");
        }
        return true;
    };
    if (touching.empty())
        return finalMove();

    const float t = minToi == kLargestFloat ? 0.0f : minToi;
    const float step = std::min(remaining * t, remaining);
    const bool moves = !IsZero(step);
    for (std::size_t at = 0; at < group.size(); ++at)
    {
        RigidBody& body = *entry(at).body;
        if (moves && !body.IsStatic())
            body.StartPosition += body.GetVelocity() * step;
        CheckPosition(body.StartPosition, *entry(at).object, " prev pos is NaN");
    }
    for (const StepContact& contact : touching)
        if (contact.record.resolve)
            ApplyImpulse(*entry(contact.first).body, *entry(contact.second).body, contact.record);
    remaining -= step;
    ASSERT(remaining >= 0.0f, "DT became smaller than 0.0f");
    return moves ? false : finalMove();
}

void PhysicsSystem::CorrectPositions()
{
    // A body pushed out of one contact may be pushed into another (the crates of a column each rest on the
    // next), so the contacts are gone over again until none is left deeper than the tolerance. A contact's
    // depth at the end of the update is its depth where the update started less how far its bodies have
    // moved apart since, by their steps and by the pushes.
    const auto& records = contacts_.Records();
    for (int pass = 0; pass < kCorrectionPasses; ++pass)
    {
        bool pushed = false;
        for (std::size_t k = 0; k < records.size(); ++k)
            pushed |= PushApart(records[k], contactBodies_[k], contactStarts_[k]);
        if (!pushed)
            return;
    }
}

bool PhysicsSystem::PushApart(const CollisionData& record, const std::pair<RigidBody*, RigidBody*>& bodies,
                              const std::pair<Vector3, Vector3>& starts)
{
    // Only overlapping shapes are pushed apart. The depth a swept test gives for a contact ahead of its
    // impact measures the gap it closed, and pushing by it would lift a landing body back up.
    if (record.isTrigger || record.timeOfImpact > 0.0f)
        return false;
    auto [first, second] = bodies;
    const Vector3 separated = (second->EndPosition - starts.second) - (first->EndPosition - starts.first);
    const float depth = record.penetration - separated.Dot(record.normal);
    if (!(depth >= kEpsilon))
        return false;
    // Each moving body goes its share of the depth, the lighter the farther: A back, B forward. A static
    // body weighs nothing here, so a moving one against it goes all the way.
    const float firstShare = first->IsStatic() ? 0.0f : 1.0f / first->GetMass();
    const float secondShare = second->IsStatic() ? 0.0f : 1.0f / second->GetMass();
    const float shares = firstShare + secondShare;
    if (!(shares > 0.0f))
        return false;
    const Vector3 push = depth / shares * record.normal;
    first->EndPosition -= push * firstShare;
    second->EndPosition += push * secondShare;
    return true;
}

void PhysicsSystem::WriteBack()
{
    for (RigidBody* body : bodies_)
        body->SetForce(Vector3());
    for (const BroadPhaseEntry& entry : broadPhaseEntries_)
        if (!entry.isStatic)
            entry.transform->SetPosition(entry.body->EndPosition);
}

void PhysicsSystem::PublishCollisionMessage()
{
    // Within one update exits come first, then enters and stays, each in list order.
    for (const CollisionData& record : pendingExitContacts_.Records())
    {
        CheckPair(record, "enter_");
        if (!contacts_.Holds(record))
            PostExitEvent(record);
    }
    for (const CollisionData& record : contacts_.Records())
    {
        CheckPair(record, "enter_");
        const bool known = touchingContacts_.Holds(record) || pendingExitContacts_.Holds(record);
        if (record.isTrigger)
            QueueCollisionMessage(known ? MessageNames::OnTriggerStay : MessageNames::OnTriggerEnter, record);
        else
            QueueCollisionMessage(known ? MessageNames::OnCollisionStay : MessageNames::OnCollisionEnter, record);
    }
    // A pair that stops touching gets its exit one update late, so that touching again at once is a stay.
    pendingExitContacts_.Clear();
    for (const CollisionData& record : touchingContacts_.Records())
    {
        CheckPair(record, "stay_");
        if (!contacts_.Holds(record))
            pendingExitContacts_.AppendOnce(record);
    }
    // Swapped, not copied: the emptied list keeps its storage for the next update.
    std::swap(touchingContacts_, contacts_);
    contacts_.Clear();
    contactBodies_.clear();
    contactStarts_.clear();
}

void PhysicsSystem::PostExitEvent(const CollisionData& record)
{
    QueuePairMessage(record.isTrigger ? MessageNames::OnTriggerExit : MessageNames::OnCollisionExit, record.objectA,
                     record.objectB);
}

void ApplyImpulse(RigidBody& first, RigidBody& second, const CollisionData& record)
{
    ASSERT(!IsZero(first.GetMass()), "Physics Apply Impulse function, A mass is 0.0f");
    ASSERT(!IsZero(second.GetMass()), "Physics Apply Impulse function, B mass is 0.0f");
    // Bodies that move against the motion the test saw would swap roles with a reversed normal; that leaves
    // the approach speed and both impulses as they are, so there is nothing to swap.
    const float approach = (second.GetVelocity() - first.GetVelocity()).Dot(record.normal);
    if (approach > 0.0f)
        return;
    const float inverseMasses = 1.0f / second.GetMass() + 1.0f / first.GetMass();
    const float impulse = -(1.0f + PhysicsSystem::kRestitution) * approach / inverseMasses;
    // Nothing rather than a velocity that is not finite: a partner must never catch another body's fault.
    const Vector3 firstAfter = first.GetVelocity() + record.normal * -impulse / first.GetMass();
    const Vector3 secondAfter = second.GetVelocity() + record.normal * impulse / second.GetMass();
    if (!(inverseMasses > 0.0f) || !std::isfinite(impulse) || !firstAfter.IsFinite() || !secondAfter.IsFinite())
        return;
    if (!first.IsStatic())
        first.GetVelocity() = firstAfter;
    if (!second.IsStatic())
        second.GetVelocity() = secondAfter;
    ASSERT(!first.GetVelocity().HasNaN(), "Velocity is Nan");
    ASSERT(!second.GetVelocity().HasNaN(), "Velocity is Nan");
}
