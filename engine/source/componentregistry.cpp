#include "componentregistry.h"

#include "c_audiolistener.h"
#include "c_audiosource.h"
#include "c_collider.h"
#include "c_rigidbody.h"
#include "c_transform.h"
#include "c_waypoint.h"
#include "monobehavior.h"

namespace
{
template <class C>
std::unique_ptr<Component> Create()
{
    return std::make_unique<C>();
}
} // namespace

const std::map<std::string, ComponentCreator>& ComponentCreators()
{
    // One line per kind: the element name files use, and how a new component of it is made.
    static const std::map<std::string, ComponentCreator> creators{
        {"Transform", &Create<Transform>},
        {"AABBCollider", &Create<BoxCollider>},
        {"SphereCollider", &Create<SphereCollider>},
        {"CapsuleCollider", &Create<CapsuleCollider>},
        {"RigidBody", &Create<RigidBody>},
        {"AudioSource", &Create<AudioSource>},
        {"AudioListener", &Create<AudioListener>},
        {"MonoBehavior", &Create<MonoBehaviorDLL>},
        {"Waypoint", &Create<Waypoint>},
    };
    return creators;
}
