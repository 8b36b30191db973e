#include "componentregistry.h"

#include "c_animator.h"
#include "c_audiolistener.h"
#include "c_audiosource.h"
#include "c_camera.h"
#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_collider.h"
#include "c_image.h"
#include "c_light.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_particlesystem.h"
#include "c_recttransform.h"
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
        {"Camera", &Create<Camera>},
        {"DirectionalLight", &Create<DirectionalLight>},
        {"PointLight", &Create<PointLight>},
        {"MeshFilter", &Create<MeshFilter>},
        {"MeshRenderer", &Create<MeshRenderer>},
        {"Animator", &Create<Animator>},
        {"Image", &Create<Image>},
        {"Canvas", &Create<Canvas>},
        {"CanvasRenderer", &Create<CanvasRenderer>},
        {"RectTransform", &Create<RectTransform>},
        {"ParticleSystem", &Create<ParticleSystem>},
        {"Waypoint", &Create<Waypoint>},
    };
    return creators;
}

const EditorNames& EditorNamesOf(const Component& component)
{
    // One line per element name. A script holder is headed and removed by its class name, as the script
    // editor's rows are found by it.
    static const std::map<std::string, EditorNames, std::less<>> names{
        {"Transform", {"Transform", nullptr}},
        {"AABBCollider", {"Collider", "AABBCollider"}},
        {"SphereCollider", {"Collider", "SphereCollider"}},
        {"CapsuleCollider", {"Collider", "CapsuleCollider"}},
        {"RigidBody", {"RigidBody", "RigidBody"}},
        {"AudioSource", {"AudioSource", "AudioSource"}},
        {"AudioListener", {"AudioListener", "AudioListener"}},
        {"MonoBehavior", {"MonoBehaviorDLL", "MonoBehaviorDLL"}},
        {"Camera", {"Camera", nullptr}},
        {"DirectionalLight", {"Directional Light", "DirectionalLight"}},
        {"PointLight", {"Point Light", "PointLight"}},
        {"Light", {"Light", nullptr}},
        {"MeshFilter", {"MeshFilter", "MeshFilter"}},
        {"MeshRenderer", {"MeshRenderer", "MeshRenderer"}},
        {"Animator", {"Animator", "Animator"}},
        {"Image", {"Image", "Image"}},
        {"Canvas", {"Canvas", "Canvas"}},
        {"CanvasRenderer", {"Canvas Renderer", "CanvasRenderer"}},
        {"RectTransform", {"Rect Transform", nullptr}},
        {"ParticleSystem", {"Particle System", "ParticleSystem"}},
        {"Waypoint", {"Waypoint", "Waypoint"}},
    };
    static constexpr EditorNames kUnnamed{"", nullptr};
    const auto found = names.find(component.GetElementName());
    return found == names.end() ? kUnnamed : found->second;
}
