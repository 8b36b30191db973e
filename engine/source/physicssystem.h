#pragma once
#include "broadphase.h"
#include "colliderpairs.h"
#include "colliderinterface.h"
#include "collisiondata.h"
#include "compenum.h"
#include "contactlist.h"
#include "objectset.h"
#include "physicsinterface.h"
#include "system.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

class Collider;
class GameObject;
class RigidBody;

// What the physics reads of the frame: its length in seconds, and whether the game is paused.
struct PhysicsClock
{
    std::function<float()> frameTime;
    std::function<bool()> paused;
};

// The collider shapes a ray query looks at.
struct ShapeMask
{
    static constexpr std::uint32_t Of(ColliderType type) { return 1u << static_cast<std::uint32_t>(type); }
    constexpr bool Has(ColliderType type) const { return (bits & Of(type)) != 0; }
    std::uint32_t bits;
};

// Moves every object that has a rigid body and a collider: gravity and forces become velocity, bodies whose
// bounding spheres meet are stepped together from one time of impact to the next, contacts get nearly
// inelastic impulses, overlapping bodies are pushed apart, and every touching pair is reported to Logic as
// enter, stay and exit events. A body with a value that is not finite is reported and left out until it is
// finite again. Also answers the scripts' ray queries.
class PhysicsSystem : public System, public PhysicsInterface
{
public:
    static constexpr std::size_t kMaxStepCalls = 11;
    static constexpr float kRestitution = 0.001f;
    // Rounds of positional correction in an update at most; a stack needs about one per body in it.
    static constexpr int kCorrectionPasses = 8;
    static inline const Vector3 kGravity{0.0f, -9.81f, 0.0f};

    // Reads the frame from Core.
    PhysicsSystem();
    explicit PhysicsSystem(PhysicsClock clock);

    void Init() override {}
    void Update() override;
    void RegisterObject(GameObject* object) override;
    void UnregisterObject(GameObject* object) override;
    std::string GetName() const override { return "Physics"; }
    // Register, Destroy, Enable, Disable, EnableComponent and DisableComponent sent to every system. While
    // the game is paused only Destroy is taken; the rest are lost.
    void HandleMessage(const BaseMessage& message) override;

    HitInfo RaycastOBB(const Vector3& origin, const Vector3& direction, bool skipTriggers) override;
    HitInfo RaycastAABB(const Vector3& origin, const Vector3& direction, bool skipTriggers) override;
    HitInfo RaycastBoxes(const Vector3& origin, const Vector3& direction, bool skipTriggers) override;
    HitInfo RaycastSpheres(const Vector3& origin, const Vector3& direction, bool skipTriggers) override;
    HitInfo RaycastAll(const Vector3& origin, const Vector3& direction, bool skipTriggers) override;

    // Sets every body's start and predicted end of the frame and fills the groups of bodies that may touch.
    void BuildGroups(float dt);
    // Steps one group through the remaining time to its earliest time of impact; true when the group is
    // done with the frame, false when it must be stepped again from where it got to.
    bool StepSimulation(const std::vector<std::size_t>& group, float& remaining);
    // Turns the contacts of this update into events and rolls the contact lists on to the next one.
    void PublishCollisionMessage();
    // Queues the exit event of a contact record.
    static void PostExitEvent(const CollisionData& record);

    const ObjectSet& SimulatedObjects() const { return simulatedObjects_; }
    const ObjectSet& DisabledObjects() const { return disabledObjects_; }
    const std::vector<BroadPhaseEntry>& BroadPhaseEntries() const { return broadPhaseEntries_; }
    // Entry indices of each group; filled by BuildGroups, emptied at the end of an update.
    const std::vector<std::vector<std::size_t>>& Groups() const { return groups_; }
    const ContactList& Contacts() const { return contacts_; }
    const ContactList& TouchingContacts() const { return touchingContacts_; }
    const ContactList& PendingExitContacts() const { return pendingExitContacts_; }

private:
    bool IsPaused() const { return clock_.paused && clock_.paused(); }
    // The nearest hit that `test` counts among the simulated objects' colliders of the given shapes.
    template <class Test>
    HitInfo NearestHit(ShapeMask shapes, bool skipTriggers, Test test) const;
    void ApplyForces(float dt);
    void CorrectPositions();
    // Pushes the two bodies of an overlapping contact apart by what is left of its depth; whether it did.
    static bool PushApart(const CollisionData& record, const std::pair<RigidBody*, RigidBody*>& bodies,
                          const std::pair<Vector3, Vector3>& starts);
    void WriteBack();
    // True when nothing is unusable; otherwise the object is reported, once until it is usable again.
    bool Admitted(const GameObject& object, const char* unusable);
    void RemoveFromSimulation(GameObject* object);
    void ReturnToSimulation(GameObject* object, CompEnum kind);
    void HandleObjectMessage(const BaseMessage& message);
    void HandleComponentMessage(const BaseMessage& message);

    PhysicsClock clock_;
    // A level's objects come and go one at a time: filing and taking out cost the same however many there are.
    ObjectSet simulatedObjects_;
    ObjectSet disabledObjects_;
    // The bodies of the simulated objects, as the update found them.
    std::vector<RigidBody*> bodies_;
    // Objects reported for a value that is not finite and left out of the frame since.
    std::unordered_set<const GameObject*> leftOut_;
    ContactList contacts_;
    // The bodies of each record of contacts_, in the same order, for the positional correction.
    std::vector<std::pair<RigidBody*, RigidBody*>> contactBodies_;
    // Where those bodies were when the update started, when the record's depth was measured.
    std::vector<std::pair<Vector3, Vector3>> contactStarts_;
    ContactList touchingContacts_;
    ContactList pendingExitContacts_;
    std::vector<BroadPhaseEntry> broadPhaseEntries_;
    std::vector<std::vector<std::size_t>> groups_;
    // A contact found in a step, with the group positions of its two entries.
    struct StepContact
    {
        CollisionData record;
        std::size_t first;
        std::size_t second;
    };
    std::vector<ShapePlacement> stepPlaced_;
    std::vector<bool> stepIsStatic_;
    std::vector<StepContact> stepTouching_;
};

// Changes the velocities of two touching bodies so that they stop approaching along the record's normal,
// which points from the first towards the second; a static body keeps its velocity but weighs in. Changes
// nothing when the masses or the result are not usable numbers.
void ApplyImpulse(RigidBody& first, RigidBody& second, const CollisionData& record);
